#include "settings/settings_lines.h"

#include "base/decimal_number.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool ChoiceIsValid(const SettingDef& setting, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < setting.choices.size();
}

} // namespace

SettingsLines SplitSettingsLines(std::string_view text)
{
    SettingsLines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::string ParseSettingsLine(const std::string& line, std::string& value)
{
    std::size_t first = 0;
    while (first < line.size() && IsBlank(line[first]))
        ++first;
    if (first == line.size() || line[first] == '#' || line[first] == ';')
        return {};
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return {};

    std::size_t keyEnd = equals;
    while (keyEnd > first && IsBlank(line[keyEnd - 1]))
        --keyEnd;
    if (keyEnd == first)
        return {};

    std::size_t valueStart = equals + 1;
    while (valueStart < line.size() && IsBlank(line[valueStart]))
        ++valueStart;
    value = line.substr(valueStart);
    return line.substr(first, keyEnd - first);
}

int SettingValueFromText(std::string_view text)
{
    return ReadDecimalNumber(text).value;
}

int StoredSettingValue(const SettingsLines& lines, const SettingDef& setting)
{
    for (const std::string& line : lines) {
        std::string value;
        if (ParseSettingsLine(line, value) == setting.key)
            return SettingValueFromText(value);
    }
    return setting.defaultValue;
}

std::string SettingLine(const SettingDef& setting, int value)
{
    return std::string(setting.key) + " = " + std::to_string(value);
}

void MergeChosenSettings(SettingsLines& lines, const ChosenIndices& chosen)
{
    for (int i = 0; i < kSettingsCatalogueSize; ++i) {
        const SettingDef& setting = SettingsCatalogue[i];
        if (!ChoiceIsValid(setting, chosen[i]))
            continue;
        const std::string newLine = SettingLine(setting, setting.choices[chosen[i]].value);
        bool replaced = false;
        for (std::string& line : lines) {
            std::string value;
            if (ParseSettingsLine(line, value) == setting.key) {
                line = newLine;
                replaced = true;
            }
        }
        if (!replaced)
            lines.push_back(newLine);
    }
}

std::string JoinSettingsLines(const SettingsLines& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

std::string MergedSettingsText(std::string_view oldText, const ChosenIndices& chosen)
{
    SettingsLines lines = SplitSettingsLines(oldText);
    MergeChosenSettings(lines, chosen);
    return JoinSettingsLines(lines);
}
