#include "setup/install_run_win.h"

#include <commctrl.h>

#include "base/file_replace_win.h"
#include "base/folder_rules.h"
#include "base/game_start_win.h"
#include "base/launcher_state_win.h"
#include "base/names.h"
#include "base/system_error_win.h"
#include "setup/desktop_shortcut_win.h"
#include "setup/setup_output_win.h"
#include "setup/setup_rules.h"
#include "setup/setup_run_win.h"
#include "setup/setup_view_win.h"
#include "setup/tool_command_line.h"
#include "theme/window_builder_win.h"

namespace {

bool Ticked(HWND window, int id)
{
    return SendMessageW(Control(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

void StartInstall(HWND window, SetupSession& session)
{
    const std::wstring arguments =
        InstallArguments(session.sourcePath, session.installFolder, session.dlcFolders,
                         Ticked(window, IdAndroidTick));
    SendMessageW(Control(window, IdProgress), PBM_SETPOS, 0, 0);
    EmptyLog(window, session);
    StartSetupTool(window, session, SetupPhase::Install, arguments);
}

void FinishInstall(HWND window, SetupSession& session)
{
    // Play and the shortcut start the game just built.
    g_state.installFolder = session.installFolder;
    // The next start finds the game through this file, so it is replaced
    // whole or not at all: a failed write leaves the previous record as it
    // was. The game is playable from this window all the same.
    if (ReplaceFileContents(g_state.launcherFolder + kInstallLocationName,
                            InstallLocationBytes(session.installFolder)))
        ApplyStatusChange(window, {StatusLine::Main, InstalledText(true)});
    else
        ShowInstallFolderNotRecorded(window, session, GetLastError());
    // Read now, at the end of the run: the user may change it meanwhile.
    if (Ticked(window, IdShortcutTick))
        CreateDesktopShortcut();
}

void ShowInstallFolderNotRecorded(HWND window, SetupSession& session, DWORD error)
{
    ApplyStatusChange(window, {StatusLine::Main, InstalledText(false)});
    AddLogLine(session.log, kNotRecordedReasonText + SystemErrorText(error));
}

void StartUpdateRun(HWND window, SetupSession& session)
{
    SetWindowTextW(Control(window, IdSourceEdit), L"Using the game files already installed");
    ApplyStatusChange(window, {StatusLine::Main, kUpdatingText});
    StartSetupTool(window, session, SetupPhase::Install, RebuildArguments(session.installFolder));
}

void PlayInstalledGame(HWND window)
{
    if (StartGame(L""))
        DestroyWindow(window);
}
