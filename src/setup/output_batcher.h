// The setup tool's output gathered in batches on the reader thread: the
// lines the line splitter cuts are gathered as bytes, and one batch says what
// all its lines do to the setup window. Log lines that would leave the
// window's log model before they could be shown are counted, never decoded.
// No system call is needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "setup/line_splitter.h"
#include "setup/log_model.h"

inline constexpr std::size_t kBatchMaxLines = 16384;       // lines per batch, at most
inline constexpr std::size_t kBatchMaxBytes = 256 * 1024;  // bytes of line text per batch, at most

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
