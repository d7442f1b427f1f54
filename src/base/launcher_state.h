// The one global record of the launcher. Only the user-interface thread
// touches it; the setup tool's reader thread gets a start record of its own
// and reads nothing here.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

inline constexpr int kSettingCount = 10;

// What the setup tool is doing now; the only record that a run is under way.
enum SetupPhase {
    PhaseIdle = 0,
    PhaseCheckSource = 1,
    PhaseCheckDlc = 2,
    PhaseInstall = 3, // an installation or an update run
};

struct LauncherState {
    // Folders
    std::wstring launcherFolder; // never ends with a backslash
    std::wstring installFolder;  // exactly as read or chosen

    // Look and feel; created once, never released
    int dpi = 96; // the display's, read when the fonts are made
    HFONT messageFont = nullptr;
    HFONT titleFont = nullptr;
    HFONT buttonFont = nullptr;
    HBRUSH backgroundBrush = nullptr;
    HBRUSH fieldBrush = nullptr;
    HICON gameIcon = nullptr;

    // Home window
    HWND homeWindow = nullptr;
    bool playRequested = false;

    // Settings window
    HWND settingsWindow = nullptr;
    HWND settingCombos[kSettingCount] = {};

    // Setup window
    int setupPhase = PhaseIdle;
    HWND setupWindow = nullptr;
    bool sourceAccepted = false;
    bool dlcAccepted = true;
    bool gameInstalled = false;
    std::wstring sourcePath;
    std::vector<std::wstring> dlcFolders;
    HWND sourceEdit = nullptr;
    HWND discImageButton = nullptr;
    HWND folderButton = nullptr;
    HWND sourceStatus = nullptr;
    HWND dlcList = nullptr;
    HWND addDlcButton = nullptr;
    HWND clearListButton = nullptr;
    HWND dlcStatus = nullptr;
    HWND destEdit = nullptr;
    HWND browseButton = nullptr;
    HWND mainStatus = nullptr;
    HWND progressBar = nullptr;
    HWND logEdit = nullptr;
    HWND shortcutTick = nullptr;
    HWND androidTick = nullptr;
    HWND termsButton = nullptr;
    HWND mainButton = nullptr;
};

extern LauncherState g_state;
