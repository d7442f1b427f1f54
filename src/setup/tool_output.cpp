#include "setup/tool_output.h"

#include <cstring>
#include <limits>

std::vector<std::string> TakeCompleteLines(std::string& pending, const char* data,
                                           std::size_t size)
{
    std::vector<std::string> lines;
    const std::size_t searchFrom = pending.size();
    pending.append(data, size);
    // Only the new bytes can hold a line feed; earlier ones were taken.
    std::size_t lineStart = 0;
    for (std::size_t at = pending.find('\n', searchFrom); at != std::string::npos;
         at = pending.find('\n', at + 1)) {
        std::size_t end = at;
        if (end > lineStart && pending[end - 1] == '\r')
            --end;
        lines.emplace_back(pending, lineStart, end - lineStart);
        lineStart = at + 1;
    }
    // One erase per piece, not one per line: a piece may hold thousands.
    pending.erase(0, lineStart);
    return lines;
}

void ShowNulCharacters(std::wstring& line)
{
    for (wchar_t& c : line)
        if (c == L'\0')
            c = kShownForNul;
}

namespace {

// The characters the C library's isspace accepts in the "C" locale.
bool IsCSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

} // namespace

ReadNumber ReadLongLikeWcstol(const std::wstring& text, std::size_t start)
{
    std::size_t at = start;
    while (at < text.size() && IsCSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    if (at >= text.size() || text[at] < L'0' || text[at] > L'9')
        return {0, start};

    // Accumulate the magnitude; past the limit the value saturates but the
    // digits are still consumed, as wcstol does.
    const std::int64_t limit = negative
        ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[at] - L'0');
        ++at;
    }
    if (magnitude > limit)
        magnitude = limit;
    const std::int64_t value = negative ? -magnitude : magnitude;
    return {static_cast<std::int32_t>(value), at};
}

ToolLine SortToolLine(const std::wstring& line)
{
    ToolLine sorted;
    const std::size_t n = line.size();
    if (n >= 3 && line.compare(0, 3, L"@P ") == 0) {
        sorted.kind = ProgressLine;
        const ReadNumber number = ReadLongLikeWcstol(line, 3);
        sorted.progress = number.value;
        if (number.stop < n) {
            sorted.hasText = true;
            sorted.text = line.substr(number.stop + 1);
        }
        return sorted;
    }
    if (n >= 3 && line.compare(0, 3, L"@R ") == 0) {
        sorted.kind = ResultLine;
        sorted.ok = n > 3 && line[3] == L'1';
        if (n >= 6)
            sorted.text = line.substr(5);
        return sorted;
    }
    sorted.kind = LogLine;
    return sorted;
}
