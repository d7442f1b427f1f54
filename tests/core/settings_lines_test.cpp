#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "settings/settings_lines.h"
#include "setting_lookup.h"

namespace {

using namespace std::string_literals;

TEST(SplitSettingsLines, CutsAtLfAndDropsOneCr)
{
    struct Case {
        std::string text;
        SettingsLines lines;
    } cases[] = {
        {"", {}},
        {"\n", {""}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb\r", {"a", "b"}},          // last line without LF loses its CR too
        {"a\n\n\nb\n", {"a", "", "", "b"}}, // empty lines in the middle stay
        {"a\r\r\n", {"a\r"}},              // only one CR is dropped
        {"\r\n\r\n", {"", ""}},
        {"a\rb\n", {"a\rb"}},              // a lone CR is line content
        {"x\n\n", {"x", ""}},              // no line for the final LF
        {"nul\0byte\n"s, {"nul\0byte"s}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitSettingsLines(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(ParseSettingsLine, KeyAndValue)
{
    struct Case {
        const char* line;
        const char* key;
        const char* value; // the value text afterwards; "unchanged" when no key
    } cases[] = {
        {"vsync = 1", "vsync", "1"},
        {"vsync=1", "vsync", "1"},
        {" \t vsync \t=\t 1", "vsync", "1"},
        {"vsync = 1 ; on", "vsync", "1 ; on"},      // the rest of the line is value text
        {"vsync = 1  ", "vsync", "1  "},            // trailing blanks belong to the value
        {"vsync =", "vsync", ""},
        {"vsync =  \t", "vsync", ""},
        {"a=b=c", "a", "b=c"},                      // two "=": split at the first
        {"key with blanks = 3", "key with blanks", "3"},
        {"Vsync = 1", "Vsync", "1"},
        {"\xEF\xBB\xBFvsync = 1", "\xEF\xBB\xBFvsync", "1"}, // a byte-order mark is key text
        {"x = # not a comment", "x", "# not a comment"},
        {"x;y = 2", "x;y", "2"},
        {"= 5", "", "unchanged"},
        {"  =5", "", "unchanged"},
        {"# vsync = 1", "", "unchanged"},
        {"  ; vsync = 1", "", "unchanged"},
        {"\t#", "", "unchanged"},
        {"[Display]", "", "unchanged"},
        {"", "", "unchanged"},
        {" \t ", "", "unchanged"},
        {"vsync 1", "", "unchanged"},
    };
    for (const Case& c : cases) {
        std::string value = "unchanged";
        EXPECT_EQ(ParseSettingsLine(c.line, value), c.key) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
    }
}

TEST(SettingValueFromText, FollowsAtoi)
{
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"75", 75},
        {"0", 0},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"+", 0},
        {"-5", -5},
        {"+5", 5},
        {"007", 7},
        {"12abc", 12},
        {"1 ; loud", 1},
        {"1.9", 1},
        {" \t\v\f\r 42", 42},
        {"- 5", 0},
        {"--5", 0},
        {"0x10", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        // Beyond the range of int: saturated, like the Windows runtime's atoi.
        {"2147483648", INT_MAX},
        {"-2147483649", INT_MIN},
        {"99999999999999999999999999", INT_MAX},
        {"-99999999999999999999999999", INT_MIN},
        {"000000000000000000000000075", 75},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingValueFromText(c.text), c.value) << '"' << c.text << '"';
}

TEST(StoredSettingValue, FirstMatchingLineOrTheDefault)
{
    struct Case {
        const char* name;
        SettingsLines lines;
        const char* key;
        int value;
    } cases[] = {
        {"no lines: default", {}, "smoothing", 1},
        {"no lines: default", {}, "vsync", 0},
        {"plain", {"master_volume = 75"}, "master_volume", 75},
        {"first line wins", {"vsync = 1", "vsync = 0"}, "vsync", 1},
        {"first line wins even when empty", {"vsync =", "vsync = 1"}, "vsync", 0},
        {"other keys skipped", {"[Game]", "volume = 5", "master_volume=50"}, "master_volume", 50},
        {"keys are case-sensitive", {"VSYNC = 1"}, "vsync", 0},
        {"keys are case-sensitive", {"Smoothing = 0"}, "smoothing", 1},
        {"a prefix is another key", {"vsync_extra = 1", "vsyn = 1"}, "vsync", 0},
        {"comment is never matched", {"# vsync = 1", ";vsync = 1"}, "vsync", 0},
        {"blanks around", {" \tvsync\t =  1"}, "vsync", 1},
        {"no digits", {"master_volume = loud"}, "master_volume", 0},
        {"empty value", {"master_volume ="}, "master_volume", 0},
        {"trailing text", {"master_volume = 25 ; quiet"}, "master_volume", 25},
        {"byte-order mark hides the key", {"\xEF\xBB\xBFvsync = 1"}, "vsync", 0},
        {"too many digits", {"shadow_enhance = 123456789012"}, "shadow_enhance", INT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StoredSettingValue(c.lines, Setting(c.key)), c.value) << c.name;
}

} // namespace
