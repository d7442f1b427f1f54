#include "setup/tool_reader_win.h"

#include <algorithm>
#include <vector>

#include "setup/post_retry.h"
#include "setup/setup_messages_win.h"
#include "setup/output_batcher.h"

namespace {

// One read takes at most this much of the pipe: few round trips to the
// system, and a bounded buffer.
constexpr DWORD kReadSize = 64 * 1024;
// Pause before a refused post is tried again (the queue is full).
constexpr DWORD kPostRetryMs = 10;
// While waiting for the window to take a batch: how often to check that it
// still exists.
constexpr DWORD kWindowCheckMs = 100;
// How often a quiet pipe is looked at, and the tool's end with it.
constexpr DWORD kQuietPollMs = 15;
// How long an open batch may wait on an empty pipe for more lines, and how
// often the pipe is looked at meanwhile.
constexpr ULONGLONG kBatchLingerMs = 20;
constexpr DWORD kLingerPollMs = 1;
// Once the tool has ended, the output ends when nothing more came for this
// long, even if a process the tool started still holds the pipe open; and at
// the latest this long after the tool's end.
constexpr ULONGLONG kDrainGraceMs = 1000;
constexpr ULONGLONG kDrainLimitMs = 5000;

struct Relay {
    HWND window = nullptr;
    HANDLE taken = nullptr; // a semaphore: one count per batch the window has taken
    long inFlight = 0;
    OutputBatcher batcher;
};

// Posts to the window, waiting for room in its queue as long as the window
// exists. False when the window is gone; the caller then still owns
// whatever lParam points to.
bool PostToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    PostAttempts attempts;
    attempts.post = [&] { return PostMessageW(window, message, wParam, lParam) != FALSE; };
    attempts.targetExists = [&] { return IsWindow(window) != FALSE; };
    attempts.wait = [] { Sleep(kPostRetryMs); };
    return PostUntilDelivered(attempts);
}

// Waits until the window has taken one more batch. False when the window is
// gone.
bool WaitForOneTaken(Relay& relay)
{
    while (WaitForSingleObject(relay.taken, kWindowCheckMs) != WAIT_OBJECT_0)
        if (!IsWindow(relay.window))
            return false;
    --relay.inFlight;
    return true;
}

// Posts one batch, never more than kBatchesInFlight of them waiting. False
// when the window is gone.
bool PostBatch(Relay& relay, OutputBatch batch)
{
    if (relay.inFlight == kBatchesInFlight && !WaitForOneTaken(relay))
        return false;
    auto posted = std::make_unique<OutputBatch>(std::move(batch));
    if (!PostToWindow(relay.window, WM_SETUP_OUTPUT, reinterpret_cast<WPARAM>(relay.taken),
                      reinterpret_cast<LPARAM>(posted.get())))
        return false;
    posted.release(); // the window owns it now
    ++relay.inFlight;
    return true;
}

// Posts every batch that reached a bound; with everything, also the open
// one. False when the window is gone.
bool PostBatches(Relay& relay, bool everything)
{
    while (relay.batcher.HasReadyBatch())
        if (!PostBatch(relay, relay.batcher.TakeReadyBatch()))
            return false;
    if (everything && relay.batcher.HasGathered())
        return PostBatch(relay, relay.batcher.TakeGathered());
    return true;
}

// Relays the output until it ends: at the end of data (every process that
// held the pipe has closed it), on a failed read, when the window is gone,
// or once the tool has ended and the output has drained. Full batches go at
// once; the open one goes whenever the pipe is quiet, so a slow tool's lines
// show as they come. A last piece without a line feed is dropped.
void RelayOutput(Relay& relay, HANDLE readEnd, HANDLE process)
{
    std::vector<char> buffer(kReadSize);
    ULONGLONG toolEnded = 0;
    ULONGLONG lastOutput = 0;
    ULONGLONG openSince = 0; // when the open batch took its first line
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr))
            break;
        if (available == 0) {
            // A pipe that is empty for a moment is the normal state of a
            // flood (the reader drains it faster than the tool fills it):
            // the open batch lingers a little for more lines, so batches
            // stay large, and still reaches the window promptly.
            if (toolEnded == 0 && relay.batcher.HasGathered()
                && GetTickCount64() - openSince < kBatchLingerMs) {
                if (WaitForSingleObject(process, kLingerPollMs) == WAIT_OBJECT_0)
                    toolEnded = lastOutput = GetTickCount64();
                continue;
            }
            if (!PostBatches(relay, true))
                return;
            if (toolEnded == 0) {
                if (WaitForSingleObject(process, kQuietPollMs) == WAIT_OBJECT_0)
                    toolEnded = lastOutput = GetTickCount64();
                continue;
            }
            const ULONGLONG now = GetTickCount64();
            if (now - lastOutput >= kDrainGraceMs || now - toolEnded >= kDrainLimitMs)
                break;
            Sleep(kQuietPollMs);
            continue;
        }
        DWORD got = 0;
        if (!ReadFile(readEnd, buffer.data(), std::min(available, kReadSize), &got, nullptr)
            || got == 0)
            break;
        lastOutput = GetTickCount64();
        // A process the tool started may go on printing after the tool has
        // ended: the limit holds while data flows too.
        if (toolEnded == 0 && WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            toolEnded = lastOutput;
        if (toolEnded != 0 && lastOutput - toolEnded >= kDrainLimitMs) {
            relay.batcher.Add(buffer.data(), got);
            break;
        }
        const bool wasGathering = relay.batcher.HasGathered();
        relay.batcher.Add(buffer.data(), got);
        if (!wasGathering || relay.batcher.HasReadyBatch())
            openSince = lastOutput;
        if (!PostBatches(relay, false))
            return;
    }
    PostBatches(relay, true);
}

// Waits until the window has taken every batch (or is gone), so that no
// message still names the semaphore when it is closed.
void WaitForAllTaken(Relay& relay)
{
    while (relay.inFlight > 0 && WaitForOneTaken(relay)) {
    }
}

DWORD WINAPI ReaderThread(LPVOID parameter)
{
    const std::unique_ptr<ToolRunStart> start(static_cast<ToolRunStart*>(parameter));
    DWORD exitCode = 1;
    BOOL started = FALSE;

    SECURITY_ATTRIBUTES security = {};
    security.nLength = sizeof(security);
    security.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    Relay relay;
    relay.window = start->target;
    relay.taken = CreateSemaphoreW(nullptr, 0, kBatchesInFlight, nullptr);
    // Without a pipe the tool cannot be run: it counts as not started.
    if (relay.taken && CreatePipe(&readEnd, &writeEnd, &security, 0)) {
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = writeEnd;
        startup.hStdError = writeEnd;
        PROCESS_INFORMATION process = {};
        started = CreateProcessW(nullptr, start->commandLine.data(), nullptr, nullptr, TRUE,
                                 CREATE_NO_WINDOW, nullptr, start->workingFolder.c_str(), &startup,
                                 &process);
        // Only the tool may hold the write end now, or the output never ends.
        CloseHandle(writeEnd);

        if (started) {
            RelayOutput(relay, readEnd, process.hProcess);
            WaitForAllTaken(relay);
            WaitForSingleObject(process.hProcess, INFINITE);
            GetExitCodeProcess(process.hProcess, &exitCode);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        CloseHandle(readEnd);
    }
    if (relay.taken)
        CloseHandle(relay.taken);
    PostToWindow(start->target, WM_SETUP_EXIT, exitCode, started);
    return 0;
}

} // namespace

bool StartToolReader(std::unique_ptr<ToolRunStart> start)
{
    HANDLE thread = CreateThread(nullptr, 0, ReaderThread, start.get(), 0, nullptr);
    if (!thread)
        return false;
    start.release(); // the thread owns it now
    CloseHandle(thread);
    return true;
}
