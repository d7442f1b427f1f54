// Line framing of the setup tool's output: bytes in any chunking cut into
// lines at LF, and a line too long to hold handed on in pieces that never cut
// a UTF-8 sequence. No system call is needed.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

// An unfinished line is held up to this, then handed on as a piece. A piece
// is one line of the log, and the log control takes one line per step at
// the least: the size keeps one piece within about one step (kLogStepChars).
inline constexpr std::size_t kLinePieceBytes = 4 * 1024;

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
