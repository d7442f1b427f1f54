// The one reader of a decimal number in text, for every place that reads a
// number the way the C runtime reads one in base 10 (atoi, wcstol): white
// space, an optional sign, digits; a value beyond the 32-bit range saturates.
// It takes bytes or UTF-16 alike. No system call is needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

struct DecimalNumber {
    std::int32_t value;
    std::size_t stop; // where the reading ended: start itself when there were no digits
};

// White space as the C locale's isspace sees it: blank, tab, LF, VT, FF, CR.
template <class Char>
constexpr bool IsCLocaleSpace(Char c)
{
    return c == Char(' ') || (c >= Char('\t') && c <= Char('\r'));
}

// Reads from start: C-locale white space, an optional '+' or '-', then ASCII
// digits up to the first other character. Past the 32-bit range the value
// saturates but the digits are still read, as wcstol reads them. Without
// digits the value is 0 and stop is start, sign and white space unread.
template <class Char>
constexpr DecimalNumber ReadDecimalNumber(std::basic_string_view<Char> text, std::size_t start = 0)
{
    const auto isDigit = [](Char c) { return c >= Char('0') && c <= Char('9'); };
    std::size_t at = start;
    while (at < text.size() && IsCLocaleSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == Char('+') || text[at] == Char('-'))) {
        negative = text[at] == Char('-');
        ++at;
    }
    if (at >= text.size() || !isDigit(text[at]))
        return {0, start};

    const std::int64_t limit = negative
        ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; at < text.size() && isDigit(text[at]); ++at)
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[at] - Char('0'));
    if (magnitude > limit)
        magnitude = limit;
    return {static_cast<std::int32_t>(negative ? -magnitude : magnitude), at};
}
