// The setup tool's output as the launcher reads it: a byte stream cut into
// lines, and each line sorted into a progress, result or log line. No system
// call is needed for either.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Appends a piece of output to the pending bytes and moves every complete
// line (ended by LF) out of them, without its LF and without one CR right
// before it. Bytes after the last LF stay pending; a last piece that never
// gets its LF is never returned.
std::vector<std::string> TakeCompleteLines(std::string& pending, const char* data,
                                           std::size_t size);

// A zero character would end the line wherever Win32 takes the text (a
// status line, the log), hiding what follows it: each one is shown as the
// replacement character U+FFFD instead, as bytes that are not UTF-8 are.
inline constexpr wchar_t kShownForNul = L'\xFFFD';
void ShowNulCharacters(std::wstring& line);

// A base-10 number read the way the Windows C library's wcstol reads it:
// leading white space, an optional sign, digits; a value outside the 32-bit
// range saturates. stop is the index where the reading ended, which is start
// itself when there are no digits.
struct ReadNumber {
    std::int32_t value;
    std::size_t stop;
};
ReadNumber ReadLongLikeWcstol(const std::wstring& text, std::size_t start);

enum ToolLineKind { ProgressLine, ResultLine, LogLine };

struct ToolLine {
    ToolLineKind kind = LogLine;
    std::int32_t progress = 0; // progress line: the bar's new position, as read
    bool hasText = false;      // progress line: whether the status line changes
    bool ok = false;           // result line: the check passed
    std::wstring text;         // progress or result line: the status text
};

// Sorts one output line. "@P " lines carry a number and an optional status
// text (the character right after the number is skipped); "@R " lines carry a
// verdict in their fourth character ("1" passed) and a text from the sixth.
// Everything else, short and empty lines included, belongs in the log.
ToolLine SortToolLine(const std::wstring& line);
