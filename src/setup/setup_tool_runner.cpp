#include "setup/setup_tool_runner.h"

#include <memory>

#include "app/folder_rules.h"
#include "app/launcher_state.h"
#include "setup/post_retry.h"
#include "setup/setup_controls.h"
#include "setup/tool_command_line.h"
#include "setup/tool_output.h"

namespace {

constexpr DWORD kReadSize = 4096;
// Pause before a refused post is tried again (the queue is full).
constexpr DWORD kPostRetryMs = 10;

// Posts to the setup window, waiting for room in its queue as long as the
// window exists. False when the window is gone; the caller then still owns
// whatever lParam points to.
bool PostToSetupWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = g_state.setupWindow;
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

void PostLine(const std::string& bytes)
{
    auto* line = new std::wstring(Utf8ToWide(bytes));
    if (!PostToSetupWindow(WM_SETUP_OUTPUT, 0, reinterpret_cast<LPARAM>(line)))
        delete line;
}

// Reads until the output ends (end of data or a failed read) and posts
// every complete line; a last piece without a line feed is dropped.
void RelayOutput(HANDLE readEnd)
{
    std::string pending;
    char buffer[kReadSize];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, kReadSize, &got, nullptr) && got > 0) {
        for (const std::string& line : TakeCompleteLines(pending, buffer, got))
            PostLine(line);
    }
}

} // namespace

DWORD WINAPI SetupToolReader(LPVOID parameter)
{
    std::unique_ptr<std::wstring> commandLine(static_cast<std::wstring*>(parameter));
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
        const std::wstring folder = g_state.launcherFolder + kSetupFolderName;
        started = CreateProcessW(nullptr, commandLine->data(), nullptr, nullptr, TRUE,
                                 CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &process);
        commandLine.reset();
        // Only the tool may hold the write end now, or the output never ends.
        CloseHandle(writeEnd);

        if (started) {
            RelayOutput(readEnd);
            WaitForSingleObject(process.hProcess, INFINITE);
            GetExitCodeProcess(process.hProcess, &exitCode);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        CloseHandle(readEnd);
    }
    PostToSetupWindow(WM_SETUP_EXIT, exitCode, started);
    return 0;
}

void StartSetupTool(int phase, const std::wstring& arguments)
{
    auto* commandLine = new std::wstring(SetupToolCommandLine(g_state.launcherFolder, arguments));
    g_state.setupPhase = phase;
    SetMainButtonState();
    HANDLE thread = CreateThread(nullptr, 0, SetupToolReader, commandLine, 0, nullptr);
    if (!thread) {
        // No reader means no run: end it now rather than stay "running".
        delete commandLine;
        EndToolRun(1, false);
        return;
    }
    CloseHandle(thread);
}
