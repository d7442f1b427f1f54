#include "setup/setup_run_win.h"

#include <windows.h>

#include <memory>

#include "base/folder_rules.h"
#include "base/launcher_state_win.h"
#include "base/names.h"
#include "setup/setup_messages_win.h"
#include "setup/setup_view_win.h"
#include "setup/tool_command_line.h"
#include "setup/tool_reader_win.h"
#include "theme/window_builder_win.h"

void StartSetupTool(HWND window, SetupSession& session, SetupPhase phase,
                    const std::wstring& arguments)
{
    auto start = std::make_unique<ToolRunStart>();
    start->target = window;
    start->commandLine = SetupToolCommandLine(g_state.launcherFolder, arguments);
    start->workingFolder = g_state.launcherFolder + kSetupFolderName;
    session.phase = phase;
    ApplySetupView(window, session);
    // No reader means no run: it ends at once, as a tool that could not start.
    if (!StartToolReader(std::move(start)))
        PostMessageW(window, WM_SETUP_EXIT, 1, 0);
}
