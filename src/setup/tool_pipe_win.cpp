#include "setup/tool_pipe_win.h"

#include <cwchar>

namespace {

// One read takes at most this much of the pipe, and the pipe holds as much
// for the tool to write ahead: few round trips to the system, bounded memory.
constexpr DWORD kReadSize = 64 * 1024;

// Pipe names unique in this process; the process id makes them unique on
// the machine.
LONG pipeCounter = 0;

} // namespace

bool CreateToolPipe(HANDLE& readEnd, HANDLE& writeEnd)
{
    readEnd = writeEnd = nullptr;
    wchar_t name[64];
    std::swprintf(name, 64, L"\\\\.\\pipe\\vantaroo-%lu-%ld", GetCurrentProcessId(),
                  InterlockedIncrement(&pipeCounter));
    // One instance, first of its name: no other process can have made it
    // before us or join it later; no client from another machine.
    HANDLE server = CreateNamedPipeW(
        name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, kReadSize,
        0, nullptr);
    if (server == INVALID_HANDLE_VALUE)
        return false;
    SECURITY_ATTRIBUTES inheritable = {};
    inheritable.nLength = sizeof(inheritable);
    inheritable.bInheritHandle = TRUE;
    // Write access, plus reading attributes as on an anonymous pipe's write
    // end (a C runtime may look at its standard handles' attributes).
    HANDLE client = CreateFileW(name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &inheritable,
                                OPEN_EXISTING, 0, nullptr);
    if (client == INVALID_HANDLE_VALUE) {
        CloseHandle(server);
        return false;
    }
    readEnd = server;
    writeEnd = client;
    return true;
}

PipeReader::PipeReader(HANDLE readEnd) : readEnd_(readEnd), buffer_(kReadSize)
{
    overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped_.hEvent)
        state_ = State::Closed;
}

PipeReader::~PipeReader()
{
    if (underWay_) {
        // The system writes into buffer_ and overlapped_ until the read has
        // completed: cancel it and wait for that before they are freed.
        CancelIoEx(readEnd_, &overlapped_);
        DWORD got = 0;
        GetOverlappedResult(readEnd_, &overlapped_, &got, TRUE);
    }
    if (overlapped_.hEvent)
        CloseHandle(overlapped_.hEvent);
}

PipeReader::State PipeReader::Poll()
{
    // A read of no bytes (a write of none) changes nothing: read again.
    while (state_ == State::Pending) {
        if (!underWay_)
            Start();
        if (!underWay_)
            break;
        DWORD got = 0;
        if (!GetOverlappedResult(readEnd_, &overlapped_, &got, FALSE)) {
            const DWORD error = GetLastError();
            if (error == ERROR_IO_INCOMPLETE)
                break;
            underWay_ = false;
            // Only message mode has more of a message to give; the bytes
            // that came are good all the same.
            if (error == ERROR_MORE_DATA && got > 0) {
                state_ = State::Data;
                got_ = got;
            } else {
                state_ = State::Closed; // ERROR_BROKEN_PIPE: every write end is closed
            }
            break;
        }
        underWay_ = false;
        if (got > 0) {
            state_ = State::Data;
            got_ = got;
        }
    }
    return state_;
}

void PipeReader::Start()
{
    const HANDLE event = overlapped_.hEvent;
    overlapped_ = {};
    overlapped_.hEvent = event;
    // Done at once or under way, the result comes from GetOverlappedResult.
    if (ReadFile(readEnd_, buffer_.data(), kReadSize, nullptr, &overlapped_)
        || GetLastError() == ERROR_IO_PENDING || GetLastError() == ERROR_MORE_DATA)
        underWay_ = true;
    else
        state_ = State::Closed; // ERROR_BROKEN_PIPE or a failed read
}
