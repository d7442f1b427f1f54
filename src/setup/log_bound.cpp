#include "setup/log_bound.h"

namespace {

// The index just after the first line end at or after position at; the text
// size when no line end follows.
std::size_t NextLineStart(const std::wstring& text, std::size_t at)
{
    if (at == 0 || at > text.size())
        return at > text.size() ? text.size() : 0;
    // A line that starts exactly at the cut point is kept whole.
    if (text[at - 1] == L'\n')
        return at;
    const std::size_t end = text.find(L'\n', at);
    return end == std::wstring::npos ? text.size() : end + 1;
}

} // namespace

std::wstring VisibleTail(const std::wstring& batch, std::size_t lowMark)
{
    if (batch.size() <= lowMark)
        return batch;
    const std::size_t cut = batch.size() - lowMark;
    std::size_t start = NextLineStart(batch, cut);
    // One line longer than the whole bound: keep its last part.
    if (start >= batch.size())
        start = cut;
    return batch.substr(start);
}

std::size_t LogDropCount(const std::wstring& logText, std::size_t appendLength,
                         std::size_t highMark, std::size_t lowMark)
{
    if (logText.size() + appendLength <= highMark)
        return 0;
    if (appendLength >= lowMark)
        return logText.size();
    const std::size_t cut = logText.size() + appendLength - lowMark;
    if (cut >= logText.size())
        return logText.size();
    return NextLineStart(logText, cut);
}
