#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "setup/log_bound.h"

namespace {

TEST(LogBound, DropsWholeOldestLinesOnlyPastTheHighMark)
{
    const std::wstring log = L"aaaa\r\nbbbb\r\ncccc\r\n"; // 18 characters
    struct Case {
        const char* name;
        std::size_t append, high, low;
        std::size_t drop;
    } cases[] = {
        {"within the high mark", 1, 20, 10, 0},
        {"exactly at the high mark", 2, 20, 10, 0},
        {"past it: cut back to the low mark in whole lines", 3, 20, 10, 12},
        {"a cut at a line start keeps that line", 4, 20, 16, 6},
        {"an append that fills the low mark drops everything", 10, 20, 10, 18},
        {"an append larger than the log's rest", 9, 20, 10, 18},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LogDropCount(log, c.append, c.high, c.low), c.drop) << c.name;
}

// Plays a long run through the bound the way the window does: batches of
// lines gathered, cut to what can be seen, and appended to a log whose oldest
// lines are dropped. Whatever the batch sizes, the log must hold the newest
// lines without a gap and stay bounded.
TEST(LogBound, KeepsTheNewestLinesOfALongRunInOrderWithoutGaps)
{
    const std::size_t high = 40000, low = 20000;
    const AppendLimit limit{300, 8000};
    const int batchSizes[] = {1, 500, 3000, 7, 20000, 1200, 2, 5000}; // lines per batch
    std::wstring log;
    int next = 1;
    for (int round = 0; round < 40; ++round) {
        PendingLog pending;
        for (int i = 0; i < batchSizes[round % 8]; ++i)
            AddLogLine(pending, L"line " + std::to_wstring(next++), limit);
        ASSERT_LE(pending.text.size(), 2 * limit.chars + 20);
        ASSERT_LE(pending.lines, 2 * limit.lines);
        const std::wstring shown = TextToAppend(pending, limit);
        ASSERT_LE(shown.size(), limit.chars);
        ASSERT_LE(std::count(shown.begin(), shown.end(), L'\n'), 300);
        if (pending.replacesLog)
            log.clear();
        else
            log.erase(0, LogDropCount(log, shown.size(), high, low));
        log += shown;
        ASSERT_LE(log.size(), high);

        // Whole lines, consecutive numbers, ending with the newest.
        ASSERT_EQ(log.substr(0, 5), L"line ") << round;
        long expected = std::wcstol(log.c_str() + 5, nullptr, 10);
        for (std::size_t at = 0; at < log.size(); at = log.find(L"\r\n", at) + 2)
            ASSERT_EQ(std::wcstol(log.c_str() + at + 5, nullptr, 10), expected++) << round;
        ASSERT_EQ(expected, next) << round;
    }
}

TEST(LogBound, PendingLinesReplaceTheLogOnlyWhenSomeWereShed)
{
    const AppendLimit limit{5, 100};
    PendingLog few;
    AddLogLine(few, L"one", limit);
    AddLogLine(few, L"", limit);
    EXPECT_EQ(TextToAppend(few, limit), L"one\r\n\r\n");
    EXPECT_FALSE(few.replacesLog);

    PendingLog longLines; // more than twice the characters: shed while adding
    for (int i = 0; i < 5; ++i)
        AddLogLine(longLines, std::wstring(50, L'x'), limit);
    EXPECT_TRUE(longLines.replacesLog);
    EXPECT_LE(TextToAppend(longLines, limit).size(), 100u);

    PendingLog manyLines; // more than twice the lines: shed while adding
    for (int i = 0; i < 11; ++i)
        AddLogLine(manyLines, L"", limit);
    EXPECT_TRUE(manyLines.replacesLog);
    EXPECT_EQ(TextToAppend(manyLines, limit), L"\r\n\r\n\r\n\r\n\r\n");

    PendingLog over; // over the limit but not twice: cut when taken
    for (int i = 0; i < 9; ++i)
        AddLogLine(over, L"0123456789", limit);
    EXPECT_FALSE(over.replacesLog);
    EXPECT_EQ(TextToAppend(over, limit).size(), 60u); // 5 whole lines of 12
    EXPECT_TRUE(over.replacesLog);
}

TEST(LogBound, VisibleTailTable)
{
    struct Case {
        const wchar_t* batch;
        std::size_t lines, chars;
        const wchar_t* tail;
    } cases[] = {
        {L"ab\r\ncd\r\n", 9, 8, L"ab\r\ncd\r\n"},
        {L"ab\r\ncd\r\n", 9, 7, L"cd\r\n"},
        {L"ab\r\ncd\r\n", 9, 4, L"cd\r\n"},
        {L"ab\r\ncd\r\n", 9, 3, L"d\r\n"},      // no whole line fits: its last part
        {L"abcdefgh\r\n", 9, 5, L"fgh\r\n"},
        {L"a\r\nb\r\nc\r\n", 2, 99, L"b\r\nc\r\n"},
        {L"a\r\nb\r\nc\r\n", 3, 99, L"a\r\nb\r\nc\r\n"},
        {L"a\r\nb\r\nc\r\n", 1, 99, L"c\r\n"},
        {L"\r\n\r\n\r\n", 2, 99, L"\r\n\r\n"},
        {L"aaaa\r\nb\r\nc\r\n", 3, 7, L"b\r\nc\r\n"}, // the tighter limit wins
    };
    for (const Case& c : cases)
        EXPECT_EQ(VisibleTail(c.batch, {c.lines, c.chars}), c.tail) << c.batch << " " << c.chars;
}

} // namespace
