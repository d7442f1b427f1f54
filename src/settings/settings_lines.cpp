#include "settings/settings_lines.h"

#include <climits>
#include <cstdint>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// White space as the C locale's isspace sees it, which is what atoi skips.
bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
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
    std::size_t at = 0;
    while (at < text.size() && IsCSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // Accumulate the magnitude, stopping once it is past what an int holds.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    std::int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > limit) {
            magnitude = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
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
