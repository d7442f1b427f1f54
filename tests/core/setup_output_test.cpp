#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "setup/log_bound.h"
#include "setup/post_retry.h"
#include "setup/tool_output.h"

namespace {

using Lines = std::vector<std::string>;

// Feeds the pieces one after another, as separate reads of the pipe.
Lines SplitPieces(const std::vector<std::string>& pieces, std::string* leftOver = nullptr)
{
    std::string pending;
    Lines all;
    for (const std::string& piece : pieces)
        for (std::string& line : TakeCompleteLines(pending, piece.data(), piece.size()))
            all.push_back(line);
    if (leftOver)
        *leftOver = pending;
    return all;
}

TEST(TakeCompleteLines, Table)
{
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        Lines lines;
        std::string leftOver;
    } cases[] = {
        {"three letters without LF show nothing", {"abc"}, {}, "abc"},
        {"CR LF and LF both end a line", {"one\r\ntwo\n"}, {"one", "two"}, ""},
        {"CR LF alone is an empty line", {"\r\n"}, {""}, ""},
        {"LF alone is an empty line", {"\n"}, {""}, ""},
        {"only one CR is dropped", {"a\r\r\n"}, {"a\r"}, ""},
        {"a CR not before LF stays", {"a\rb\n"}, {"a\rb"}, ""},
        {"the last piece without LF stays pending", {"one\ntw"}, {"one"}, "tw"},
        {"a line split across reads", {"on", "e\ntwo", "\n"}, {"one", "two"}, ""},
        {"CR and LF in different reads", {"one\r", "\n"}, {"one"}, ""},
        {"a UTF-8 character split across reads", {"caf\xC3", "\xA9\n"}, {"caf\xC3\xA9"}, ""},
        {"many lines in one read", {"1\n2\n3\n4\n"}, {"1", "2", "3", "4"}, ""},
        {"an empty read changes nothing", {"x", "", "\n"}, {"x"}, ""},
        {"a NUL byte is kept", {std::string("a\0b\n", 4)}, {std::string("a\0b", 3)}, ""},
    };
    for (const Case& c : cases) {
        std::string leftOver;
        EXPECT_EQ(SplitPieces(c.pieces, &leftOver), c.lines) << c.name;
        EXPECT_EQ(leftOver, c.leftOver) << c.name;
    }
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
        ReadNumber number = ReadLongLikeWcstol(c.text, 0);
        EXPECT_EQ(number.value, c.value) << c.text;
        EXPECT_EQ(number.stop, c.stop) << c.text;
    }
}

TEST(SortToolLine, Table)
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
        ToolLine sorted = SortToolLine(c.line);
        EXPECT_EQ(sorted.kind, c.kind) << c.line;
        EXPECT_EQ(sorted.progress, c.progress) << c.line;
        EXPECT_EQ(sorted.hasText, c.hasText) << c.line;
        EXPECT_EQ(sorted.ok, c.ok) << c.line;
        EXPECT_EQ(sorted.text, c.text) << c.line;
    }
}

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

TEST(PostUntilDelivered, RetriesAFullQueueAndGivesUpOnlyWhenTheWindowIsGone)
{
    struct Case {
        const char* name;
        int refusals;       // posts refused before one succeeds
        int windowLivesFor; // existence checks answered true
        bool delivered;
        int posts, waits;
    } cases[] = {
        {"posted at once", 0, 100, true, 1, 0},
        {"full queue, then room", 3, 100, true, 4, 3},
        {"a long wait for room", 5000, 100000, true, 5001, 5000},
        {"window gone while refused", 1000, 2, false, 3, 2},
        {"window already gone", 1000, 0, false, 1, 0},
    };
    for (const Case& c : cases) {
        int posts = 0, checks = 0, waits = 0;
        PostAttempts attempts;
        attempts.post = [&] { return ++posts > c.refusals; };
        attempts.targetExists = [&] { return ++checks <= c.windowLivesFor; };
        attempts.wait = [&] { ++waits; };
        EXPECT_EQ(PostUntilDelivered(attempts), c.delivered) << c.name;
        EXPECT_EQ(posts, c.posts) << c.name;
        EXPECT_EQ(waits, c.waits) << c.name;
    }
}

} // namespace
