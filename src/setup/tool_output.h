// One line of the setup tool's output as the launcher reads it: the classifier
// that tells progress, result and log lines apart and reads what they carry,
// and the rule that shows a NUL character. No system call is needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/decimal_number.h"

// A zero character would end the line wherever Win32 takes the text (a
// status line, the log), hiding what follows it: each one is shown as the
// replacement character U+FFFD instead, as bytes that are not UTF-8 are.
inline constexpr wchar_t kShownForNul = L'\xFFFD';
void ShowNulCharacters(std::wstring& line);

// A progress number, read the way the Windows C library's wcstol reads one in
// base 10 (ReadDecimalNumber): white space, an optional sign, digits; a value
// outside the 32-bit range saturates, and stop is start when there are no
// digits. Only ASCII white space and digits count, where wcstol also takes
// those of other scripts: the batcher reads a progress line's number from
// its undecoded bytes.
DecimalNumber ReadLongLikeWcstol(std::wstring_view text, std::size_t start);

enum ToolLineKind { ProgressLine, ResultLine, LogLine };

struct ToolLine {
    ToolLineKind kind = LogLine;
    std::int32_t progress = 0; // progress line: the bar's new position, as read
    bool hasText = false;      // progress line: whether the status line changes
    bool ok = false;           // result line: the check passed
    std::wstring text;         // progress or result line: the status text
};

// Classifies one output line. "@P " lines carry a number and an optional
// status text (the character right after the number is skipped); "@R " lines
// carry a verdict in their fourth character ("1" passed) and a text from the
// sixth. Everything else, short and empty lines included, belongs in the log.
ToolLine ClassifyToolLine(const std::wstring& line);
