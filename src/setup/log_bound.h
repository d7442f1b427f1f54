// Keeps the setup log bounded and its appends cheap. An edit control takes
// time for every line and every character added (under Wine roughly 100
// microseconds a line plus 2 a character), so the log holds at most a high
// mark of characters, cut back in whole lines to a low mark, and one append
// takes at most kLogAppendLines lines and kLogAppendChars characters. When
// more arrives between two appends, only its newest lines are shown and the
// log restarts from them, so it never has a gap.
#pragma once

#include <cstddef>
#include <string>

inline constexpr std::size_t kLogHighMark = 64000;
inline constexpr std::size_t kLogLowMark = 48000;
inline constexpr std::size_t kLogAppendLines = 300;
inline constexpr std::size_t kLogAppendChars = 8000;

struct AppendLimit {
    std::size_t lines = kLogAppendLines;
    std::size_t chars = kLogAppendChars;
};

// The tail of a batch of log lines (each ended by LF) that fits in one
// append: the whole batch when it fits, otherwise its last whole lines that
// fit (the last part of a single line longer than the character limit).
std::wstring VisibleTail(const std::wstring& batch, AppendLimit limit = {});

// How many characters to drop from the front of the current log text before
// appending appendLength more: 0 while the sum stays within the high mark;
// otherwise enough whole lines that the rest plus the append fits in the low
// mark (everything, when the append alone fills it).
std::size_t LogDropCount(const std::wstring& logText, std::size_t appendLength,
                         std::size_t highMark = kLogHighMark, std::size_t lowMark = kLogLowMark);

// Log lines gathered for one append. When so many arrive at once that the
// older ones would be dropped anyway, they are shed before they are ever
// shown; everything already in the log is then older still and goes too.
struct PendingLog {
    std::wstring text;        // lines, each ended by CR LF
    std::size_t lines = 0;    // how many
    bool replacesLog = false; // lines were shed: the log's present text goes as well
};

// Adds one line (without its line end) to the pending text.
void AddLogLine(PendingLog& pending, const std::wstring& line, AppendLimit limit = {});

// The text to append now: the pending text cut to what fits in one append
// (which also sets replacesLog when anything had to go).
std::wstring TextToAppend(PendingLog& pending, AppendLimit limit = {});

// Whether appending appendLength characters to a log of logLength characters
// needs LogDropCount (and so the log's text) at all.
inline bool LogNeedsTrim(std::size_t logLength, std::size_t appendLength,
                         std::size_t highMark = kLogHighMark)
{
    return logLength + appendLength > highMark;
}
