#include "setup/install_run.h"

#include <commctrl.h>

#include "base/file_replace.h"
#include "base/folder_rules.h"
#include "base/game_start.h"
#include "base/launcher_state.h"
#include "setup/desktop_shortcut.h"
#include "setup/setup_output.h"
#include "setup/setup_run.h"
#include "setup/tool_command_line.h"

namespace {

bool Ticked(HWND box)
{
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The next start finds the game through this file, so it is replaced whole
// or not at all: a failed write leaves the previous record as it was.
void RecordInstallFolder()
{
    ReplaceFileContents(g_state.launcherFolder + kInstallLocationName,
                        InstallLocationBytes(g_state.installFolder));
}

} // namespace

void StartInstall()
{
    const std::wstring arguments = InstallArguments(g_state.sourcePath, g_state.installFolder,
                                                    g_state.dlcFolders, Ticked(g_state.androidTick));
    SendMessageW(g_state.progressBar, PBM_SETPOS, 0, 0);
    EmptyLog();
    StartSetupTool(PhaseInstall, arguments);
}

void FinishInstall(DWORD exitCode, bool started)
{
    g_state.gameInstalled = started && exitCode == 0
        && GetFileAttributesW((g_state.installFolder + kGameExeName).c_str())
            != INVALID_FILE_ATTRIBUTES;
    if (g_state.gameInstalled) {
        RecordInstallFolder();
        // Read now, at the end of the run: the user may change it meanwhile.
        if (Ticked(g_state.shortcutTick))
            CreateDesktopShortcut();
    }
    SetWindowTextW(g_state.mainStatus, g_state.gameInstalled
                                           ? L"Ready to play."
                                           : L"Setup did not finish. The reason is below.");
}

void BeginUpdateRun()
{
    SetWindowTextW(g_state.sourceEdit, L"Using the game files already installed");
    SetWindowTextW(g_state.mainStatus, L"Updating the game to this version...");
    StartSetupTool(PhaseInstall, RebuildArguments(g_state.installFolder));
}

void PlayInstalledGame()
{
    if (StartGame(L""))
        DestroyWindow(g_state.setupWindow);
}
