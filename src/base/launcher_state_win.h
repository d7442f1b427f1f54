// The launcher's global record: what the whole process shares. Only the
// user-interface thread touches it; each window keeps its own state, and the
// setup tool's reader thread gets a start record of its own and reads
// nothing here.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The fonts of one display scale.
struct FontSet {
    int dpi = 0;
    HFONT messageFont = nullptr;
    HFONT titleFont = nullptr;
    HFONT buttonFont = nullptr;
};

// The game icon loaded at the size it is drawn at on one display scale.
struct IconAtDpi {
    int dpi = 0;
    HICON icon = nullptr;
};

struct LauncherState {
    // Folders
    std::wstring launcherFolder; // never ends with a backslash
    std::wstring installFolder;  // exactly as read or chosen

    // Look and feel; created once, never released. Fonts and icons are made
    // for each display scale a window is laid out at, the first time.
    std::vector<FontSet> fontSets;
    std::vector<IconAtDpi> gameIcons;
    HBRUSH backgroundBrush = nullptr;
    HBRUSH fieldBrush = nullptr;

    // The three top-level windows, null while they do not exist
    HWND homeWindow = nullptr;
    HWND settingsWindow = nullptr;
    HWND setupWindow = nullptr;
};

extern LauncherState g_state;
