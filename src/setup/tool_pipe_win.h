// The pipe that carries the setup tool's output to the reader thread. It is
// a named pipe, not an anonymous one, because only a named pipe's read end
// takes overlapped reads: the reader then waits on a read and on the tool's
// process at once, instead of looking at the pipe again and again.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// Both ends of a new pipe: the read end, overlapped and not inheritable, and
// the write end, inheritable, to hand to the tool as its standard output and
// error. False when the pipe could not be made; both ends are then null.
bool CreateToolPipe(HANDLE& readEnd, HANDLE& writeEnd);

// One overlapped read at a time on a pipe's read end. The object owns the
// read's buffer and event: it cancels a read still under way, and waits
// until the system is done with them, before it frees them.
class PipeReader {
public:
    enum class State {
        Pending, // a read waits for bytes; Event() is set when it completes
        Data,    // bytes were read: Data() and Size() until Taken()
        Closed,  // every write end is closed, or the read failed: no more bytes
    };

    explicit PipeReader(HANDLE readEnd);
    ~PipeReader();
    PipeReader(const PipeReader&) = delete;
    PipeReader& operator=(const PipeReader&) = delete;

    // Starts a read when none is under way and no bytes wait, and says
    // where the reading stands; it never waits.
    State Poll();
    const char* Data() const { return buffer_.data(); }
    std::size_t Size() const { return got_; }
    void Taken() { state_ = State::Pending; got_ = 0; }
    HANDLE Event() const { return overlapped_.hEvent; }

private:
    void Start();

    HANDLE readEnd_;
    std::vector<char> buffer_;
    OVERLAPPED overlapped_ = {};
    bool underWay_ = false;
    State state_ = State::Pending;
    std::size_t got_ = 0;
};
