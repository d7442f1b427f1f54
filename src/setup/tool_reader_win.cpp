#include "setup/tool_reader_win.h"

#include <algorithm>
#include <vector>

#include "setup/post_retry.h"
#include "setup/setup_messages_win.h"
#include "setup/tool_output.h"

namespace {

constexpr DWORD kReadSize = 4096;
// Pause before a refused post is tried again (the queue is full).
constexpr DWORD kPostRetryMs = 10;
// While waiting for the window to take a batch: how often to check that it
// still exists.
constexpr DWORD kWindowCheckMs = 100;
// How often a quiet pipe is looked at, and the tool's end with it.
constexpr DWORD kQuietPollMs = 15;
// Once the tool has ended, the output ends when nothing more came for this
// long, even if a process the tool started still holds the pipe open; and at
// the latest this long after the tool's end.
constexpr ULONGLONG kDrainGraceMs = 1000;
constexpr ULONGLONG kDrainLimitMs = 5000;

struct Relay {
    HWND window = nullptr;
    HANDLE taken = nullptr; // a semaphore: one count per batch the window has taken
    long inFlight = 0;
    std::string pending;            // bytes after the last line feed
    std::vector<std::string> lines; // complete lines not yet posted
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

std::wstring Utf8ToWide(const std::string& bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, text.data(), length);
    return text;
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

// Posts the lines gathered so far as batches, never more than
// kBatchesInFlight of them waiting. False when the window is gone.
bool PostGatheredLines(Relay& relay)
{
    const std::vector<std::string>& lines = relay.lines;
    for (size_t batch = 0; batch < lines.size(); batch += kOutputBatchLines) {
        if (relay.inFlight == kBatchesInFlight && !WaitForOneTaken(relay))
            return false;
        const size_t end = std::min(lines.size(), batch + kOutputBatchLines);
        for (size_t i = batch; i < end; ++i) {
            auto line = std::make_unique<std::wstring>(Utf8ToWide(lines[i]));
            ShowNulCharacters(*line);
            const WPARAM batchEnd = i + 1 == end ? reinterpret_cast<WPARAM>(relay.taken) : 0;
            if (!PostToWindow(relay.window, WM_SETUP_OUTPUT, batchEnd,
                              reinterpret_cast<LPARAM>(line.get())))
                return false;
            line.release(); // the window owns it now
        }
        ++relay.inFlight;
    }
    relay.lines.clear();
    return true;
}

// Relays the output until it ends: at the end of data (every process that
// held the pipe has closed it), on a failed read, when the window is gone,
// or once the tool has ended and the output has drained. Lines are gathered
// while more output is already waiting, up to a batch; a last piece
// without a line feed is dropped.
void RelayOutput(Relay& relay, HANDLE readEnd, HANDLE process)
{
    char buffer[kReadSize];
    ULONGLONG toolEnded = 0;
    ULONGLONG lastOutput = 0;
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr))
            break;
        if (available == 0 || relay.lines.size() >= kOutputBatchLines) {
            if (!PostGatheredLines(relay))
                return;
        }
        if (available == 0) {
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
        if (!ReadFile(readEnd, buffer, std::min(available, kReadSize), &got, nullptr) || got == 0)
            break;
        lastOutput = GetTickCount64();
        for (std::string& line : TakeCompleteLines(relay.pending, buffer, got))
            relay.lines.push_back(std::move(line));
    }
    PostGatheredLines(relay);
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
