#include "setup/tool_reader.h"

#include "setup/post_retry.h"
#include "setup/setup_messages.h"
#include "setup/tool_output.h"

namespace {

constexpr DWORD kReadSize = 4096;
// Pause before a refused post is tried again (the queue is full).
constexpr DWORD kPostRetryMs = 10;

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

void PostLine(HWND window, const std::string& bytes)
{
    auto line = std::make_unique<std::wstring>(Utf8ToWide(bytes));
    if (PostToWindow(window, WM_SETUP_OUTPUT, 0, reinterpret_cast<LPARAM>(line.get())))
        line.release(); // the window owns it now
}

// Reads until the output ends (end of data or a failed read) and posts
// every complete line; a last piece without a line feed is dropped.
void RelayOutput(HWND window, HANDLE readEnd)
{
    std::string pending;
    char buffer[kReadSize];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, kReadSize, &got, nullptr) && got > 0) {
        for (const std::string& line : TakeCompleteLines(pending, buffer, got))
            PostLine(window, line);
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
    // Without a pipe the tool cannot be run: it counts as not started.
    if (CreatePipe(&readEnd, &writeEnd, &security, 0)) {
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
            RelayOutput(start->target, readEnd);
            WaitForSingleObject(process.hProcess, INFINITE);
            GetExitCodeProcess(process.hProcess, &exitCode);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        CloseHandle(readEnd);
    }
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
