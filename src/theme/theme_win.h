// Fonts, brushes, the game icon, the dark title bar, the owner-drawn buttons
// and the dark windows' answers to the control-colour messages; while high
// contrast is on, the system's colours instead of the dark palette.
#pragma once

#include <windows.h>

#include "theme/palette.h"

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
// Asks for the dark title bar, or, in high contrast, the system's own.
void UseDarkTitleBar(HWND window);

// Whether high contrast is on: SPI_GETHIGHCONTRAST, unless a probe was set
// (the window tests hand the mode in through it). Null sets the system's back.
using HighContrastProbe = bool (*)();
void UseHighContrastProbe(HighContrastProbe probe);
bool HighContrastOn();

// The scheme colours high contrast paints with, read now.
SystemColours ReadSystemColours();
// What the dark windows paint with now, and the check lines' colours.
Scheme CurrentScheme();
StatusColours CurrentStatusColours();

// A change of the colours or of high contrast (WM_SYSCOLORCHANGE,
// WM_SETTINGCHANGE, WM_THEMECHANGED): the window's controls hear of it, a
// dark window's title bar follows the mode, and everything is painted again
// in the new colours. Other messages are left alone; all of them still go on
// to the window's own handling and DefWindowProcW.
void FollowColourChange(HWND window, UINT message, bool darkWindow);
// The dark windows' answer to WM_DRAWITEM (their owner-drawn buttons), to
// WM_ERASEBKGND and to the WM_CTLCOLOR* messages: true, with the result, for
// those messages; false for every other one.
bool AnswerDarkWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result);

// The game icon's size, in 96-DPI units.
inline constexpr int kGameIconSize = 96;
