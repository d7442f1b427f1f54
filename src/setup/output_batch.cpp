#include "setup/output_batch.h"

#include <limits>
#include <utility>

#include "setup/tool_output.h"

namespace {

constexpr wchar_t kReplacement = 0xFFFD;
constexpr std::size_t kLineEndChars = 2; // CR LF, as the log model counts a line

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// How many bytes a sequence with this lead byte has when well formed; 0
// when the byte cannot start one.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Decodes into out, which has room for bytes.size() code units (UTF-16
// never needs more units than UTF-8 has bytes); returns the units written.
std::size_t DecodeInto(std::string_view bytes, wchar_t* out)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0, w = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            out[w++] = static_cast<wchar_t>(c);
            ++i;
            continue;
        }
        const std::size_t length = SequenceLength(c);
        if (length == 0) {
            out[w++] = kReplacement;
            ++i;
            continue;
        }
        // The second byte's range depends on the lead (no overlong forms,
        // no surrogates, nothing above U+10FFFF); the others are 80..BF.
        unsigned char low = 0x80, high = 0xBF;
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F;
        else if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
        std::uint32_t code = c & (0xFF >> (length + 1));
        std::size_t j = i + 1;
        bool whole = true;
        for (; j < i + length; ++j) {
            if (j >= n || s[j] < low || s[j] > high) {
                whole = false;
                break;
            }
            code = (code << 6) | (s[j] & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        // An ill-formed subpart (the lead and the continuation bytes that
        // fitted) is one replacement; the byte that did not fit is read anew.
        i = j;
        if (!whole) {
            out[w++] = kReplacement;
        } else if (code >= 0x10000) {
            code -= 0x10000;
            out[w++] = static_cast<wchar_t>(0xD800 + (code >> 10));
            out[w++] = static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            out[w++] = static_cast<wchar_t>(code);
        }
    }
    return w;
}

// The line as the window shows it: decoded, and each NUL made visible.
std::wstring ShownLine(const char* bytes, std::size_t size)
{
    std::wstring line = DecodeUtf8(std::string_view(bytes, size));
    ShowNulCharacters(line);
    return line;
}

bool IsCSpace(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Whether a progress line ("@P " first) carries a status text, read from its
// bytes the way SortToolLine reads the decoded line: everything up to the
// number's end is ASCII, and any byte after it gives at least one character.
bool ProgressHasText(const char* bytes, std::size_t size)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t at = 3;
    while (at < size && IsCSpace(s[at]))
        ++at;
    if (at < size && (s[at] == '+' || s[at] == '-'))
        ++at;
    if (at >= size || s[at] < '0' || s[at] > '9')
        return 3 < size;
    while (at < size && s[at] >= '0' && s[at] <= '9')
        ++at;
    return at < size;
}

} // namespace

std::wstring DecodeUtf8(std::string_view bytes)
{
    std::wstring text(bytes.size(), L'\0');
    text.resize(DecodeInto(bytes, text.data()));
    return text;
}

std::size_t PieceCut(const char* bytes, std::size_t pieceBytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes);
    // The start of the last sequence before the cut: at most three
    // continuation bytes back.
    std::size_t start = pieceBytes - 1;
    while (start > 0 && pieceBytes - start < 4 && IsContinuation(s[start]))
        --start;
    // A lead whose sequence reaches past the cut starts the next piece
    // instead, unless it is the piece's first byte.
    if (start > 0 && SequenceLength(s[start]) > pieceBytes - start)
        return start;
    return pieceBytes;
}

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
                const ToolLine sorted = SortToolLine(ShownLine(bytes, span.size));
                batch.hasProgress = true;
                batch.progress = sorted.progress;
                if (sorted.hasText) {
                    batch.hasStatusText = true;
                    batch.statusText = sorted.text;
                    break;
                }
            } else if (ProgressHasText(bytes, span.size)) {
                batch.hasStatusText = true;
                batch.statusText = SortToolLine(ShownLine(bytes, span.size)).text;
                break;
            }
        }
    }

    if (raw.resultLines > 0) {
        batch.results.reserve(raw.resultLines);
        for (const Span& span : raw.spans) {
            if (span.kind != Kind::Result)
                continue;
            ToolLine sorted = SortToolLine(ShownLine(base + span.offset, span.size));
            batch.results.push_back({sorted.ok, std::move(sorted.text)});
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
            const std::size_t least = (span.size + 2) / 3 + kLineEndChars;
            if (!batch.logLines.empty() && chars + least > limits_.logKeepChars)
                break;
            std::wstring line = ShownLine(base + span.offset, span.size);
            const std::size_t shown = line.size() + kLineEndChars;
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
