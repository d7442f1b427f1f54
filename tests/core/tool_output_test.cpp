#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "setup/tool_output.h"

namespace {

TEST(ShowNulCharacters, EveryZeroBecomesVisibleAndNothingElseChanges)
{
    std::wstring line(L"a\0b\0\0\xFFFD c", 8);
    ShowNulCharacters(line);
    EXPECT_EQ(line, L"a\xFFFD" L"b\xFFFD\xFFFD\xFFFD c");
    EXPECT_EQ(line.find(L'\0'), std::wstring::npos);
}

TEST(ReadLongLikeWcstol, Table)
{
    struct Case {
        const wchar_t* text;
        std::int32_t value;
        std::size_t stop;
    } cases[] = {
        {L"45", 45, 2},
        {L"45 text", 45, 2},
        {L"  \t45x", 45, 5},
        {L"-5", -5, 2},
        {L"+7", 7, 2},
        {L"007", 7, 3},
        {L"", 0, 0},
        {L"abc", 0, 0},
        {L"  abc", 0, 0},      // white space alone is no number: the stop stays at the start
        {L"-", 0, 0},
        {L"- 5", 0, 0},
        {L"0x10", 0, 1},       // base 10 only
        {L"2147483647", INT32_MAX, 10},
        {L"2147483648", INT32_MAX, 10},
        {L"99999999999999999999 t", INT32_MAX, 20},
        {L"-2147483648", INT32_MIN, 11},
        {L"-2147483649", INT32_MIN, 11},
        {L"\x0663", 0, 0},     // only ASCII digits count
    };
    for (const Case& c : cases) {
        DecimalNumber number = ReadLongLikeWcstol(c.text, 0);
        EXPECT_EQ(number.value, c.value) << c.text;
        EXPECT_EQ(number.stop, c.stop) << c.text;
    }
}

TEST(ClassifyToolLine, Table)
{
    struct Case {
        const wchar_t* line;
        ToolLineKind kind;
        std::int32_t progress;
        bool hasText;
        bool ok;
        const wchar_t* text;
    } cases[] = {
        {L"@P 45 Reading the disc", ProgressLine, 45, true, false, L"Reading the disc"},
        {L"@P 45", ProgressLine, 45, false, false, L""},
        {L"@P 45%", ProgressLine, 45, true, false, L""},
        {L"@P 45  two blanks", ProgressLine, 45, true, false, L" two blanks"},
        {L"@P abc", ProgressLine, 0, true, false, L"bc"},
        {L"@P ", ProgressLine, 0, false, false, L""},
        {L"@P  7", ProgressLine, 7, false, false, L""},
        {L"@P -20 below", ProgressLine, -20, true, false, L"below"},
        {L"@P 250 above", ProgressLine, 250, true, false, L"above"},
        {L"@P 99999999999 huge", ProgressLine, INT32_MAX, true, false, L"huge"},
        {L"@P", LogLine, 0, false, false, L""},
        {L"@p 45", LogLine, 0, false, false, L""},
        {L" @P 45", LogLine, 0, false, false, L""},
        {L"@P45", LogLine, 0, false, false, L""},
        {L"@R 1 Disc accepted", ResultLine, 0, false, true, L"Disc accepted"},
        {L"@R 0 Not a disc", ResultLine, 0, false, false, L"Not a disc"},
        {L"@R 0", ResultLine, 0, false, false, L""},
        {L"@R 1", ResultLine, 0, false, true, L""},
        {L"@R 1 ", ResultLine, 0, false, true, L""},
        {L"@R 2 x", ResultLine, 0, false, false, L"x"},
        {L"@R 1xok", ResultLine, 0, false, true, L"ok"},
        {L"@R ", ResultLine, 0, false, false, L""},
        {L"@R", LogLine, 0, false, false, L""},
        {L"@r 1 ok", LogLine, 0, false, false, L""},
        {L"", LogLine, 0, false, false, L""},
        {L"plain output", LogLine, 0, false, false, L""},
    };
    for (const Case& c : cases) {
        ToolLine classified = ClassifyToolLine(c.line);
        EXPECT_EQ(classified.kind, c.kind) << c.line;
        EXPECT_EQ(classified.progress, c.progress) << c.line;
        EXPECT_EQ(classified.hasText, c.hasText) << c.line;
        EXPECT_EQ(classified.ok, c.ok) << c.line;
        EXPECT_EQ(classified.text, c.text) << c.line;
    }
}

} // namespace
