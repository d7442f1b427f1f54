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

std::wstring VisibleTail(const std::wstring& batch, AppendLimit limit)
{
    std::size_t start = 0;
    if (batch.size() > limit.chars) {
        const std::size_t cut = batch.size() - limit.chars;
        start = NextLineStart(batch, cut);
        // One line longer than the whole limit: keep its last part.
        if (start >= batch.size())
            start = cut;
    }
    // Walk back over at most limit.lines line ends before the final one.
    std::size_t lines = 0;
    for (std::size_t at = batch.size(); at > start; --at) {
        if (batch[at - 1] == L'\n' && at != batch.size() && ++lines == limit.lines) {
            start = at;
            break;
        }
    }
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

namespace {

std::size_t CountLines(const std::wstring& text)
{
    std::size_t lines = 0;
    for (wchar_t c : text)
        lines += c == L'\n';
    return lines;
}

} // namespace

void AddLogLine(PendingLog& pending, const std::wstring& line, AppendLimit limit)
{
    pending.text += line;
    pending.text += L"\r\n";
    ++pending.lines;
    // Shed only now and then (past twice a limit), so adding stays cheap.
    if (pending.text.size() > 2 * limit.chars || pending.lines > 2 * limit.lines) {
        pending.text = VisibleTail(pending.text, limit);
        pending.lines = CountLines(pending.text);
        pending.replacesLog = true;
    }
}

std::wstring TextToAppend(PendingLog& pending, AppendLimit limit)
{
    std::wstring text = VisibleTail(pending.text, limit);
    if (text.size() < pending.text.size())
        pending.replacesLog = true;
    return text;
}
