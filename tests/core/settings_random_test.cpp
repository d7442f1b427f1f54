// Seeded random files and choices through the parser and the merge. A failure
// names its seed; the same seed gives the same file on every platform.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>

#include "settings/settings_lines.h"

namespace {

class RandomText {
public:
    explicit RandomText(std::uint32_t seed) : engine_(seed) {}

    unsigned Below(unsigned bound) { return static_cast<unsigned>(engine_() % bound); }

    // A file of lines that matter to the rules: setting lines with catalogue
    // keys, keys in other case or behind a byte-order mark or a comment mark,
    // blanks and "=" in odd places, values with signs, junk and too many
    // digits, and lines of arbitrary bytes; ended by LF, CR LF, two CRs and
    // LF, or nothing at the very end.
    std::string File()
    {
        static const char* const blanks[] = {"", " ", "\t", "  \t", ""};
        static const char* const keyPrefixes[] = {"", "", "", "", "#", ";", "\xEF\xBB\xBF", "[x]"};
        static const char* const otherKeys[] = {"VSync", "Master_Volume", "vsync_", "other_key", ""};
        static const char* const values[] = {
            "0", "1", "20", "75", "-3", "+1", "99999999999", "", "x", "1 ; note", "=2", "1\r"};
        static const char* const lineEnds[] = {"\n", "\n", "\r\n", "\r\r\n", "\r"};
        std::string text;
        const unsigned count = Below(16);
        for (unsigned i = 0; i < count; ++i) {
            if (Below(3) == 0) {
                const unsigned length = Below(12);
                for (unsigned b = 0; b < length; ++b)
                    text += static_cast<char>(Below(256));
            } else {
                text += Pick(blanks);
                text += Pick(keyPrefixes);
                if (Below(4) == 0)
                    text += Pick(otherKeys);
                else
                    text += SettingsCatalogue[Below(kSettingsCatalogueSize)].key;
                text += Pick(blanks);
                if (Below(8) != 0)
                    text += '=';
                text += Pick(blanks);
                text += Pick(values);
            }
            if (i + 1 < count || Below(2) == 0)
                text += Pick(lineEnds);
        }
        return text;
    }

    ChosenIndices Choices()
    {
        ChosenIndices chosen{};
        for (int i = 0; i < kSettingsCatalogueSize; ++i) {
            const int size = static_cast<int>(SettingsCatalogue[i].choices.size());
            chosen[i] = static_cast<int>(Below(static_cast<unsigned>(size + 3))) - 1; // -1 .. size + 1
        }
        return chosen;
    }

private:
    template <std::size_t N>
    const char* Pick(const char* const (&list)[N])
    {
        return list[Below(N)];
    }

    std::mt19937 engine_;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The output split at every LF and nothing else: the merge writes each line
// followed by exactly one LF, so these are its lines byte for byte.
SettingsLines WrittenLines(const std::string& text)
{
    SettingsLines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        EXPECT_NE(end, std::string::npos) << "the last line has no LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string KeyOf(const std::string& line)
{
    std::string value;
    return ParseSettingsLine(line, value);
}

constexpr std::uint32_t kRuns = 3000;

TEST(SettingsRandom, ParsedKeyAndValueAreExactPiecesOfTheLine)
{
    for (std::uint32_t seed = 1; seed <= kRuns; ++seed) {
        RandomText random(seed);
        for (const std::string& line : SplitSettingsLines(random.File())) {
            std::string value = "sentinel";
            const std::string key = ParseSettingsLine(line, value);
            if (key.empty()) {
                ASSERT_EQ(value, "sentinel") << "seed " << seed;
                continue;
            }
            // line = blanks, key, blanks, "=", blanks, value
            std::size_t at = 0;
            while (IsBlank(line[at]))
                ++at;
            ASSERT_NE(line[at], '#') << "seed " << seed;
            ASSERT_NE(line[at], ';') << "seed " << seed;
            ASSERT_EQ(line.compare(at, key.size(), key), 0) << "seed " << seed;
            ASSERT_FALSE(IsBlank(key.back())) << "seed " << seed;
            ASSERT_EQ(key.find('='), std::string::npos) << "seed " << seed;
            at += key.size();
            while (IsBlank(line[at]))
                ++at;
            ASSERT_EQ(line[at], '=') << "seed " << seed;
            ++at;
            while (at < line.size() && IsBlank(line[at]))
                ++at;
            ASSERT_EQ(line.substr(at), value) << "seed " << seed;
        }
    }
}

TEST(SettingsRandom, MergeKeepsForeignLinesAndReadsBackTheChoices)
{
    std::uint32_t filesWithAChosenKey = 0;
    for (std::uint32_t seed = 1; seed <= kRuns; ++seed) {
        RandomText random(seed);
        const std::string oldText = random.File();
        const ChosenIndices chosen = random.Choices();
        const SettingsLines oldLines = SplitSettingsLines(oldText);
        const std::string newText = MergedSettingsText(oldText, chosen);
        const SettingsLines newLines = WrittenLines(newText);

        std::set<std::string> chosenKeys;
        for (int i = 0; i < kSettingsCatalogueSize; ++i)
            if (chosen[i] >= 0 && chosen[i] < static_cast<int>(SettingsCatalogue[i].choices.size()))
                chosenKeys.insert(std::string(SettingsCatalogue[i].key));

        // Every line not of a chosen key comes out byte for byte, in order.
        SettingsLines keptBefore, keptAfter;
        for (const std::string& line : oldLines)
            if (!chosenKeys.count(KeyOf(line)))
                keptBefore.push_back(line);
        for (const std::string& line : newLines)
            if (!chosenKeys.count(KeyOf(line)))
                keptAfter.push_back(line);
        ASSERT_EQ(keptAfter, keptBefore) << "seed " << seed;

        // Lines of a chosen key stay where they were; missing ones come last.
        ASSERT_GE(newLines.size(), oldLines.size()) << "seed " << seed;
        bool hadChosenKey = false;
        for (std::size_t p = 0; p < oldLines.size(); ++p) {
            ASSERT_EQ(KeyOf(newLines[p]), KeyOf(oldLines[p])) << "seed " << seed << " line " << p;
            hadChosenKey = hadChosenKey || chosenKeys.count(KeyOf(oldLines[p])) != 0;
        }
        filesWithAChosenKey += hadChosenKey ? 1 : 0;

        // The file read back gives the chosen values, or the old ones.
        const SettingsLines readBack = SplitSettingsLines(newText);
        for (int i = 0; i < kSettingsCatalogueSize; ++i) {
            const SettingDef& setting = SettingsCatalogue[i];
            const bool valid = chosenKeys.count(std::string(setting.key)) != 0;
            const int expected = valid ? setting.choices[chosen[i]].value
                                       : StoredSettingValue(oldLines, setting);
            ASSERT_EQ(StoredSettingValue(readBack, setting), expected)
                << "seed " << seed << " " << setting.key;
            if (!valid)
                continue;
            for (const std::string& line : newLines) {
                if (KeyOf(line) == setting.key) {
                    ASSERT_EQ(line, SettingLine(setting, expected)) << "seed " << seed;
                }
            }
        }

        // Saving the same choices again writes back exactly the lines read.
        // (Not the same bytes: of a line that ended in several CRs each
        // save drops one, as every read does.)
        ASSERT_EQ(WrittenLines(MergedSettingsText(newText, chosen)), readBack)
            << "seed " << seed;
    }
    // The generator must reach the in-place rewrite, not only the appending.
    EXPECT_GT(filesWithAChosenKey, kRuns / 10);
}

} // namespace
