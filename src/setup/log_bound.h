// Keeps the setup log bounded: once the log would grow past a high mark, its
// oldest lines are dropped so that what stays plus the new text fits in the
// low mark. Dropping happens in whole lines and rarely, so appends stay
// cheap and the newest output is always shown.
#pragma once

#include <cstddef>
#include <string>

// The log grows up to this many characters before its oldest lines go...
inline constexpr std::size_t kLogHighMark = 160000;
// ...and is cut back to about this many.
inline constexpr std::size_t kLogLowMark = 80000;

// The tail of a batch of log text that can still be seen after the bound has
// been applied: the whole batch when it fits in the low mark, otherwise its
// last whole lines that fit (the last low-mark characters when a single line
// is longer than that).
std::wstring VisibleTail(const std::wstring& batch, std::size_t lowMark = kLogLowMark);

// How many characters to drop from the front of the current log text before
// appending appendLength more: 0 while the sum stays within the high mark;
// otherwise enough whole lines that the rest plus the append fits in the low
// mark (everything, when the append alone fills it).
std::size_t LogDropCount(const std::wstring& logText, std::size_t appendLength,
                         std::size_t highMark = kLogHighMark, std::size_t lowMark = kLogLowMark);

// Whether appending appendLength characters to a log of logLength characters
// needs LogDropCount (and so the log's text) at all.
inline bool LogNeedsTrim(std::size_t logLength, std::size_t appendLength,
                         std::size_t highMark = kLogHighMark)
{
    return logLength + appendLength > highMark;
}
