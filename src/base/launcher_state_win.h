// The launcher's global record: what the whole process shares. Only the
// user-interface thread touches it; each window keeps its own state, and the
// setup tool's reader thread gets a start record of its own and reads
// nothing here.
#pragma once

#include <windows.h>

#include <string>

struct LauncherState {
    // Folders
    std::wstring launcherFolder; // never ends with a backslash
    std::wstring installFolder;  // exactly as read or chosen

    // The home window and the settings window it opens, null while they do
    // not exist: the home message loop serves both
    HWND homeWindow = nullptr;
    HWND settingsWindow = nullptr;
};

extern LauncherState g_state;
