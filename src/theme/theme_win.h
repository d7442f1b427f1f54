// Fonts, brushes, the game icon, the dark title bar, the owner-drawn buttons
// and the dark windows' answers to the control-colour messages.
#pragma once

#include <windows.h>

// The fonts of one display scale.
struct FontSet {
    int dpi = 0;
    HFONT messageFont = nullptr;
    HFONT titleFont = nullptr;
    HFONT buttonFont = nullptr;
};

// The message, title and button fonts at this display scale, made the first
// time a window asks for them and kept for the life of the process.
FontSet FontsAt(int dpi);
// The game icon of the install folder at kGameIconSize at this scale, loaded
// the first time; null when there is none.
HICON GameIconAt(int dpi);
// The dark windows' two brushes.
void CreateDarkTheme();
// Registers a class of a dark window: the game icon at the system scale, the
// arrow cursor and the dark background brush.
void RegisterDarkWindowClass(const wchar_t* name, WNDPROC procedure);
void UseDarkTitleBar(HWND window);
// The dark windows' answer to WM_DRAWITEM (their owner-drawn buttons) and to
// the WM_CTLCOLOR* messages: true, with the result, for those messages;
// false for every other one.
bool AnswerDarkWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The game icon's size, in 96-DPI units.
inline constexpr int kGameIconSize = 96;
