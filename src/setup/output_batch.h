// The setup tool's output gathered in batches on the reader thread: the bytes
// from the pipe are cut into lines (a line too long to hold is handed on in
// pieces), each line is sorted, and one batch says what all its lines do to
// the setup window. Log lines that would leave the window's log model before
// they could be shown are counted, never decoded. No system call is needed.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "setup/log_model.h"

inline constexpr std::size_t kBatchMaxLines = 16384;       // lines per batch, at most
inline constexpr std::size_t kBatchMaxBytes = 256 * 1024;  // bytes of line text per batch, at most
// An unfinished line is held up to this, then handed on as a piece. A piece
// is one line of the log, and the log control takes one line per step at
// the least: the size keeps one piece within about one step (kLogStepChars).
inline constexpr std::size_t kLinePieceBytes = 4 * 1024;

// UTF-8 to UTF-16 without Win32: the wstring always holds UTF-16 code units
// (surrogate pairs outside the BMP, even where wchar_t has 32 bits). Each
// maximal ill-formed subpart becomes one U+FFFD, as MultiByteToWideChar
// (CP_UTF8, 0) does on current Windows. A zero byte stays a zero character.
std::wstring DecodeUtf8(std::string_view bytes);

// Where the first piece of a line longer than pieceBytes ends: at pieceBytes,
// or before it when a UTF-8 sequence would be cut (never at 0). bytes holds
// more than pieceBytes bytes.
std::size_t PieceCut(const char* bytes, std::size_t pieceBytes);

// Cuts bytes, in any chunking, into lines: a line ends at LF, and one CR
// right before the LF is dropped. At most pieceBytes bytes of an unfinished
// line are held (plus a CR that may yet turn out to end it); once more
// arrive without LF, a piece of at most pieceBytes bytes (PieceCut) is
// handed on. Every line and piece is at most pieceBytes bytes, and the same
// bytes give the same lines and pieces whatever their chunking. Bytes after
// the last LF stay pending; at the end of output they are dropped.
class LineSplitter {
public:
    explicit LineSplitter(std::size_t pieceBytes = kLinePieceBytes)
        : piece_(std::max<std::size_t>(pieceBytes, 1)) {}

    // Calls sink(const char* bytes, std::size_t size, bool startsLine) for
    // every line or piece these bytes complete, in order; startsLine is
    // false for the pieces after a line's first. The bytes passed are valid
    // only during the call.
    template <class Sink>
    void Add(const char* data, std::size_t size, Sink&& sink);

    std::size_t PendingBytes() const { return pending_.size(); }
    std::size_t PendingCapacity() const { return pending_.capacity(); }

private:
    template <class Sink>
    void EmitLine(const char* begin, const char* end, Sink& sink);
    template <class Sink>
    void Hold(const char* begin, const char* end, Sink& sink);
    template <class Sink>
    void EndHeldLine(Sink& sink);

    // The held bytes known to be line text: a CR at their end may yet
    // turn out to end the line.
    std::size_t CertainHeld() const
    {
        return pending_.size() - (!pending_.empty() && pending_.back() == '\r' ? 1 : 0);
    }

    std::size_t piece_;
    std::string pending_;   // bytes after the last LF, at most piece_ + 2
    bool continues_ = false; // pending_ continues a line already handed on in part
};

struct ResultVerdict {
    bool ok;
    std::wstring text;

    bool operator==(const ResultVerdict&) const = default;
};

// What one batch of output lines does to the setup window; applying it gives
// what applying each line in order would give.
struct OutputBatch {
    std::size_t lineCount = 0;          // every line (and piece) in the batch, of every kind
    bool hasProgress = false;           // progress lines: only the last position counts
    std::int32_t progress = 0;
    bool hasStatusText = false;         // the last progress line that carried a text
    std::wstring statusText;
    std::vector<ResultVerdict> results; // result lines, in order
    std::uint64_t logLinesSkipped = 0;  // log lines older than logLines that were never built: they would leave the log model before they could be shown
    std::vector<std::wstring> logLines; // the newest log lines, in order, NULs shown as U+FFFD

    bool operator==(const OutputBatch&) const = default;
};

struct BatchLimits {
    std::size_t lines = kBatchMaxLines;
    std::size_t bytes = kBatchMaxBytes;
    std::size_t pieceBytes = kLinePieceBytes;
    std::size_t logKeepChars = kLogHighMark;
};

// Gathers lines into batches. A batch never holds more than limits.lines
// lines nor more than limits.bytes bytes of line text; when it reaches
// either bound it becomes ready and a new one opens. (pieceBytes is taken as
// at most limits.bytes, and every limit as at least 1, so that a batch always
// takes at least one line.) A batch's log lines are kept as bytes until it
// is taken; then only its newest log lines, up to logKeepChars characters
// counted with CR LF as the log model counts them (the newest line always),
// are decoded.
class OutputBatcher {
public:
    explicit OutputBatcher(BatchLimits limits = {});

    void Add(const char* data, std::size_t size); // bytes as read from the pipe, any chunking
    bool HasReadyBatch() const;    // a batch reached a bound and waits to be taken
    OutputBatch TakeReadyBatch();  // the oldest such batch
    bool HasGathered() const;      // lines gathered into the open batch
    // Closes the open batch and returns the oldest batch not yet taken: the
    // open one itself when no ready batch waits (the reader takes the ready
    // ones first). The reader calls this when the pipe is quiet / at the end.
    OutputBatch TakeGathered();
    // Bytes of an unfinished line stay pending; at the end of output they
    // are dropped, as before (a last piece without a line feed is never shown).
    std::size_t PendingBytes() const { return splitter_.PendingBytes(); }

    const BatchLimits& Limits() const { return limits_; }

private:
    enum class Kind : std::uint8_t { Log, Progress, Result };
    struct Span {
        std::uint32_t offset;
        std::uint32_t size;
        Kind kind;
    };
    struct RawBatch {
        std::string bytes;
        std::vector<Span> spans;
        std::size_t logLines = 0;
        std::size_t progressLines = 0;
        std::size_t resultLines = 0;
    };

    void TakeLine(const char* bytes, std::size_t size, bool startsLine);
    void CloseOpen();
    OutputBatch Build(RawBatch raw) const;

    BatchLimits limits_;
    LineSplitter splitter_;
    RawBatch open_;
    std::deque<RawBatch> ready_;
};

// ---- LineSplitter's templates ----

template <class Sink>
void LineSplitter::Add(const char* data, std::size_t size, Sink&& sink)
{
    const char* at = data;
    const char* const end = data + size;
    while (at < end) {
        const char* lf = static_cast<const char*>(
            std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (!lf) {
            Hold(at, end, sink);
            return;
        }
        if (pending_.empty() && !continues_) {
            EmitLine(at, lf, sink); // the whole line is in this read
        } else {
            Hold(at, lf, sink);
            EndHeldLine(sink);
        }
        at = lf + 1;
    }
}

template <class Sink>
void LineSplitter::EmitLine(const char* begin, const char* end, Sink& sink)
{
    std::size_t size = static_cast<std::size_t>(end - begin);
    if (size > 0 && begin[size - 1] == '\r')
        --size;
    bool startsLine = true;
    while (size > piece_) {
        const std::size_t cut = PieceCut(begin, piece_);
        sink(static_cast<const char*>(begin), cut, startsLine);
        startsLine = false;
        begin += cut;
        size -= cut;
    }
    sink(static_cast<const char*>(begin), size, startsLine);
}

template <class Sink>
void LineSplitter::Hold(const char* begin, const char* end, Sink& sink)
{
    while (begin < end) {
        // After the cuts below at most piece_ + 1 bytes are held, so there
        // is always room.
        const std::size_t room = piece_ + 2 - pending_.size();
        const std::size_t take = std::min(room, static_cast<std::size_t>(end - begin));
        pending_.append(begin, take);
        begin += take;
        while (CertainHeld() > piece_) {
            const std::size_t cut = PieceCut(pending_.data(), piece_);
            sink(static_cast<const char*>(pending_.data()), cut, !continues_);
            continues_ = true;
            pending_.erase(0, cut);
        }
    }
}

template <class Sink>
void LineSplitter::EndHeldLine(Sink& sink)
{
    sink(static_cast<const char*>(pending_.data()), CertainHeld(), !continues_);
    pending_.clear();
    continues_ = false;
}
