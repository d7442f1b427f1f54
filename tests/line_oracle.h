// The plainest cutting of output into lines, with none of the line
// splitter's bounds: the oracle the splitter's tests, its fuzz target and the
// flood benchmark's minimal relay hold it against. Header only.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Appends a piece of output to the pending bytes and moves every complete
// line (ended by LF) out of them, without its LF and without one CR right
// before it. Bytes after the last LF stay pending; a last piece that never
// gets its LF is never returned.
inline std::vector<std::string> TakeCompleteLines(std::string& pending, const char* data,
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
