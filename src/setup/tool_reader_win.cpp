#include "setup/tool_reader_win.h"

#include "setup/output_batcher.h"
#include "setup/post_retry.h"
#include "setup/reader_schedule.h"
#include "setup/setup_messages_win.h"
#include "setup/tool_pipe_win.h"

namespace {

// Pause before a refused post is tried again (the queue is full).
constexpr DWORD kPostRetryMs = 10;
// While waiting for the window to take a batch: how often to check that it
// still exists.
constexpr DWORD kWindowCheckMs = 100;

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

// Takes the bytes just read: full batches go at once, and the open batch
// notes when it took its first line. False when the window is gone.
bool TakeRead(Relay& relay, const PipeReader& reader, ReaderTimes& times)
{
    const bool wasGathering = relay.batcher.HasGathered();
    relay.batcher.Add(reader.Data(), reader.Size());
    times.lastOutput = times.now;
    if (!relay.batcher.HasGathered())
        times.batchOpenSince.reset();
    else if (!wasGathering || relay.batcher.HasReadyBatch())
        times.batchOpenSince = times.now;
    return PostBatches(relay, false);
}

// Waits until more output was read or the tool ends (once it has ended,
// for output alone), at most waitMs.
void WaitForOutputOrEnd(const PipeReader& reader, HANDLE process, bool toolEnded,
                        std::uint32_t waitMs)
{
    const HANDLE handles[] = {reader.Event(), process};
    WaitForMultipleObjects(toolEnded ? 1 : 2, handles, FALSE,
                           waitMs == kNoDeadline ? INFINITE : static_cast<DWORD>(waitMs));
}

// Relays the output until it ends: at the end of data (every process that
// held the pipe has closed it), on a failed read, when the window is gone,
// or when the schedule (reader_schedule.h) says the output is over after the
// tool's end. Full batches go at once; the open one goes when the pipe was
// quiet for a moment, so a slow tool's lines show as they come. Between
// steps the reader sleeps on the pipe and the process together, never longer
// nor shorter than the schedule needs. A last piece without a line feed is
// dropped.
void RelayOutput(Relay& relay, HANDLE readEnd, HANDLE process)
{
    PipeReader reader(readEnd); // cancels a read still under way as it goes
    ReaderTimes times;
    for (;;) {
        const PipeReader::State state = reader.Poll();
        if (state == PipeReader::State::Closed)
            break;
        times.now = GetTickCount64();
        if (!times.toolEnded && WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            times.toolEnded = times.now;
        times.dataAvailable = state == PipeReader::State::Data;
        const ReaderNext next = NextReaderStep(times);
        switch (next.step) {
        case ReaderStep::Read:
            if (!TakeRead(relay, reader, times))
                return;
            reader.Taken();
            break;
        case ReaderStep::Post:
            if (!PostBatches(relay, true))
                return;
            times.batchOpenSince.reset();
            break;
        case ReaderStep::Wait:
            WaitForOutputOrEnd(reader, process, times.toolEnded.has_value(), next.waitMs);
            break;
        case ReaderStep::End:
            // Bytes already read at the limit still count.
            if (times.dataAvailable)
                relay.batcher.Add(reader.Data(), reader.Size());
            PostBatches(relay, true);
            return;
        }
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

    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    Relay relay;
    relay.window = start->target;
    relay.taken = CreateSemaphoreW(nullptr, 0, kBatchesInFlight, nullptr);
    // Without a pipe the tool cannot be run: it counts as not started.
    if (relay.taken && CreateToolPipe(readEnd, writeEnd)) {
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
