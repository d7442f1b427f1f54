// The least work the launcher's design asks per output line, as a yardstick
// for the flood benchmark: a reader thread runs the setup tool of a release,
// splits its output into lines, converts each and posts it to a window that
// only frees it; with "discard" it only reads the pipe. The exit code is the
// run's duration in milliseconds.
//   flood_relay.exe <release folder> <source path> [discard]
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "../tests/line_oracle.h"
#include "setup/tool_command_line.h"

namespace {

constexpr UINT kLineMessage = WM_APP + 1;
constexpr UINT kExitMessage = WM_APP + 2;

struct Job {
    HWND window;
    std::wstring commandLine;
    std::wstring folder;
    bool discard; // only read the pipe, as fast as it gives
};

DWORD WINAPI Reader(LPVOID parameter)
{
    Job* job = static_cast<Job*>(parameter);
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &security, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessW(nullptr, job->commandLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, job->folder.c_str(), &startup, &process);
    CloseHandle(writeEnd);
    if (started && job->discard) {
        static char sink[64 * 1024];
        DWORD got = 0;
        while (ReadFile(readEnd, sink, sizeof(sink), &got, nullptr) && got > 0) {
        }
    } else if (started) {
        std::string pending;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
            for (const std::string& bytes : TakeCompleteLines(pending, buffer, got)) {
                const int size = static_cast<int>(bytes.size());
                const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
                auto* line = new std::wstring(static_cast<size_t>(length), L'\0');
                MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, line->data(), length);
                PostMessageW(job->window, kLineMessage, 0, reinterpret_cast<LPARAM>(line));
            }
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    PostMessageW(job->window, kExitMessage, 0, 0);
    return 0;
}

LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kLineMessage) {
        delete reinterpret_cast<std::wstring*>(lParam);
        return 0;
    }
    if (message == kExitMessage) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int wmain()
{
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 3)
        return -1;
    const std::wstring release = args[1];

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RelayProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"floodrelay";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"floodrelay", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);

    const bool discard = count > 3 && std::wstring(args[3]) == L"discard";
    Job job{window, SetupToolCommandLine(release, CheckSourceArguments(args[2])),
            release + L"\\setup", discard};
    const ULONGLONG start = GetTickCount64();
    CloseHandle(CreateThread(nullptr, 0, Reader, &job, 0, nullptr));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return static_cast<int>(GetTickCount64() - start);
}
