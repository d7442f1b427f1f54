#include "setup/output_batcher.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

#include "base/decimal_number.h"
#include "setup/tool_output.h"
#include "setup/utf8_decoder.h"

namespace {

// The line as the window shows it: decoded, and each NUL made visible.
std::wstring ShownLine(const char* bytes, std::size_t size)
{
    std::wstring line = DecodeUtf8(std::string_view(bytes, size));
    ShowNulCharacters(line);
    return line;
}

// Whether a progress line ("@P " first) carries a status text, read from its
// bytes the way ClassifyToolLine reads the decoded line: the reader takes
// only ASCII up to the number's end, and any byte after it gives at least
// one character.
bool ProgressHasText(const char* bytes, std::size_t size)
{
    return ReadDecimalNumber(std::string_view(bytes, size), 3).stop < size;
}

} // namespace

OutputBatcher::OutputBatcher(BatchLimits limits)
    : limits_(limits), splitter_(1)
{
    constexpr std::size_t kMaxOffset = std::numeric_limits<std::uint32_t>::max();
    limits_.lines = std::max<std::size_t>(limits_.lines, 1);
    limits_.bytes = std::clamp<std::size_t>(limits_.bytes, 1, kMaxOffset);
    limits_.pieceBytes = std::clamp<std::size_t>(limits_.pieceBytes, 1, limits_.bytes);
    splitter_ = LineSplitter(limits_.pieceBytes);
}

void OutputBatcher::Add(const char* data, std::size_t size)
{
    splitter_.Add(data, size, [this](const char* bytes, std::size_t length, bool startsLine) {
        TakeLine(bytes, length, startsLine);
    });
}

void OutputBatcher::TakeLine(const char* bytes, std::size_t size, bool startsLine)
{
    // The check before the line: a line (at most pieceBytes <= bytes) always
    // fits in an empty batch.
    if (!open_.spans.empty() && open_.bytes.size() + size > limits_.bytes)
        CloseOpen();

    // Only the start of a line can be a progress or result line. Their
    // markers are ASCII, which decodes to itself whatever follows.
    Kind kind = Kind::Log;
    if (startsLine && size >= 3 && bytes[0] == '@' && bytes[2] == ' ') {
        if (bytes[1] == 'P')
            kind = Kind::Progress;
        else if (bytes[1] == 'R')
            kind = Kind::Result;
    }
    if (open_.bytes.capacity() == 0)
        open_.bytes.reserve(std::min<std::size_t>(limits_.bytes, 64 * 1024));
    const Span span{static_cast<std::uint32_t>(open_.bytes.size()),
                    static_cast<std::uint32_t>(size), kind};
    open_.bytes.append(bytes, size);
    open_.spans.push_back(span);
    switch (kind) {
    case Kind::Log:
        ++open_.logLines;
        break;
    case Kind::Progress:
        ++open_.progressLines;
        break;
    case Kind::Result:
        ++open_.resultLines;
        break;
    }

    if (open_.spans.size() >= limits_.lines || open_.bytes.size() >= limits_.bytes)
        CloseOpen();
}

void OutputBatcher::CloseOpen()
{
    if (open_.spans.empty())
        return;
    ready_.push_back(std::move(open_));
    open_ = RawBatch();
}

bool OutputBatcher::HasReadyBatch() const
{
    return !ready_.empty();
}

OutputBatch OutputBatcher::TakeReadyBatch()
{
    if (ready_.empty())
        return {};
    RawBatch raw = std::move(ready_.front());
    ready_.pop_front();
    return Build(std::move(raw));
}

bool OutputBatcher::HasGathered() const
{
    return !open_.spans.empty();
}

OutputBatch OutputBatcher::TakeGathered()
{
    CloseOpen();
    return TakeReadyBatch();
}

OutputBatch OutputBatcher::Build(RawBatch raw) const
{
    OutputBatch batch;
    batch.lineCount = raw.spans.size();
    const char* const base = raw.bytes.data();

    // Progress: the last line's position, and the text of the last line
    // that has one; looked for from the newest line back.
    if (raw.progressLines > 0) {
        for (std::size_t i = raw.spans.size(); i-- > 0;) {
            const Span& span = raw.spans[i];
            if (span.kind != Kind::Progress)
                continue;
            const char* bytes = base + span.offset;
            if (!batch.hasProgress) {
                const ToolLine classified = ClassifyToolLine(ShownLine(bytes, span.size));
                batch.hasProgress = true;
                batch.progress = classified.progress;
                if (classified.hasText) {
                    batch.hasStatusText = true;
                    batch.statusText = classified.text;
                    break;
                }
            } else if (ProgressHasText(bytes, span.size)) {
                batch.hasStatusText = true;
                batch.statusText = ClassifyToolLine(ShownLine(bytes, span.size)).text;
                break;
            }
        }
    }

    if (raw.resultLines > 0) {
        batch.results.reserve(raw.resultLines);
        for (const Span& span : raw.spans) {
            if (span.kind != Kind::Result)
                continue;
            ToolLine classified = ClassifyToolLine(ShownLine(base + span.offset, span.size));
            batch.results.push_back({classified.ok, std::move(classified.text)});
        }
    }

    // Log lines, newest first, while they fit in what the model keeps.
    if (raw.logLines > 0) {
        std::size_t chars = 0;
        for (std::size_t i = raw.spans.size(); i-- > 0;) {
            const Span& span = raw.spans[i];
            if (span.kind != Kind::Log)
                continue;
            // A line has at least a character for every three bytes (four
            // bytes give two), so a line that cannot fit is not decoded.
            const std::size_t least = (span.size + 2) / 3 + kLogLineEndChars;
            if (!batch.logLines.empty() && chars + least > limits_.logKeepChars)
                break;
            std::wstring line = ShownLine(base + span.offset, span.size);
            const std::size_t shown = line.size() + kLogLineEndChars;
            if (!batch.logLines.empty() && chars + shown > limits_.logKeepChars)
                break;
            chars += shown;
            batch.logLines.push_back(std::move(line));
        }
        std::reverse(batch.logLines.begin(), batch.logLines.end());
        batch.logLinesSkipped = raw.logLines - batch.logLines.size();
    }
    return batch;
}
