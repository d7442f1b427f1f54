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

    // Look and feel; created once, never released
    int dpi = 96; // the display's, read when the fonts are made
    HFONT messageFont = nullptr;
    HFONT titleFont = nullptr;
    HFONT buttonFont = nullptr;
    HBRUSH backgroundBrush = nullptr;
    HBRUSH fieldBrush = nullptr;
    HICON gameIcon = nullptr;

    // The three top-level windows, null while they do not exist
    HWND homeWindow = nullptr;
    HWND settingsWindow = nullptr;
    HWND setupWindow = nullptr;
};

extern LauncherState g_state;
