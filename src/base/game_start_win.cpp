#include "base/game_start_win.h"

#include <vector>

#include "base/launcher_state_win.h"
#include "base/game_command_line.h"

bool StartGame(const std::wstring& extraArguments)
{
    const std::wstring exe = GameExePath(g_state.installFolder);
    const std::wstring text = GameCommandLine(g_state.installFolder, extraArguments);
    // CreateProcessW may write into its command line, so it gets a copy.
    std::vector<wchar_t> commandLine(text.begin(), text.end());
    commandLine.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        g_state.installFolder.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
