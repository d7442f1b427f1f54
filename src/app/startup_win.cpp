#include "app/startup_win.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/dpi_awareness_win.h"
#include "base/folder_rules.h"
#include "base/folders_win.h"
#include "base/game_start_win.h"
#include "base/launcher_claim_win.h"
#include "base/launcher_state_win.h"
#include "base/names.h"
#include "home/home_window_win.h"
#include "setup/install_run_win.h"
#include "settings/settings_window_win.h"
#include "setup/setup_window_win.h"
#include "theme/theme_win.h"

namespace {

constexpr wchar_t kMissingSetupText[] =
    L"The setup folder is missing. Unpack the whole release into one folder.";

// What every window of the process needs, done once before the first one:
// per-monitor DPI awareness, COM for the folder picker and the desktop
// shortcut, and the progress bar's class.
void PrepareForWindows()
{
    BecomePerMonitorDpiAware();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX commonControls = {};
    commonControls.dwSize = sizeof(commonControls);
    commonControls.dwICC = ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&commonControls);
}

// The dark theme first, then the two dark classes, then the home window with
// its loop.
HomeOutcome RunHomePath(int showCommand)
{
    CreateDarkTheme();
    RegisterHomeWindowClass();
    RegisterSettingsWindowClass();
    return RunHomeWindow(showCommand);
}

int RunSetupPath(StartupMode mode, int showCommand)
{
    if (!PathExists(g_state.launcherFolder + kSetupScriptName)) {
        MessageBoxW(nullptr, kMissingSetupText, kSetupTitle, MB_OK | MB_ICONERROR);
        return 1;
    }
    HWND window = CreateSetupWindow();
    if (!window)
        return 1;
    if (mode == ModeUpdate)
        StartUpdateRun(window, SessionOf(window));
    ShowWindow(window, showCommand);
    RunSetupLoop(window);
    return 0;
}

} // namespace

StartupMode ChooseStartupMode(const std::wstring& commandLine)
{
    StartupProbe probe;
    probe.readFilePrefix = ReadFilePrefix;
    probe.pathExists = PathExists;
    probe.shiftHeld = [] { return GetKeyState(VK_SHIFT) < 0; };
    return DecideStartupMode(g_state.launcherFolder, g_state.installFolder, commandLine, probe);
}

int RunLauncher(const std::wstring& commandLine, int showCommand)
{
    LocateFolders();
    StartupMode mode = ChooseStartupMode(commandLine);

    if (mode == ModeDirectStart) {
        if (StartGame(commandLine))
            return 0;
        mode = ModeSetup;
    }
    // Another launcher of this folder has a window open: it was brought to
    // the front instead.
    if (!ClaimLauncherWindow())
        return 0;
    PrepareForWindows();
    if (mode == ModeHome) {
        switch (RunHomePath(showCommand)) {
        case HomeEnded:
            return 0;
        case HomeWindowFailed:
            return 1;
        case HomeGameNotStarted:
            mode = ModeSetup;
            break;
        }
    }
    return RunSetupPath(mode, showCommand);
}
