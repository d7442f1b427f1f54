#include "app/startup.h"

#include "base/folder_rules.h"
#include "base/folders.h"
#include "base/game_start.h"
#include "base/launcher_state.h"
#include "base/names.h"
#include "home/home_window.h"
#include "settings/settings_window.h"
#include "setup/install_run.h"
#include "setup/setup_window.h"
#include "theme/theme.h"

namespace {

constexpr wchar_t kMissingSetupText[] =
    L"The setup folder is missing. Unpack the whole release into one folder.";

// DPI awareness and the dark theme first, then the two dark classes, then the
// home window with its loop.
HomeOutcome RunHomePath(int showCommand)
{
    SetProcessDPIAware();
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
    if (!CreateSetupWindow())
        return 1;
    if (mode == ModeUpdate)
        BeginUpdateRun();
    ShowWindow(g_state.setupWindow, showCommand);
    RunSetupLoop();
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
    } else if (mode == ModeHome) {
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
