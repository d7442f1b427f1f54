// Fonts, brushes, the game icon, the dark title bar, the owner-drawn buttons
// and the dark windows' answers to the control-colour messages.
#pragma once

#include <windows.h>

// The display's DPI and the system message font into g_state (a later call
// replaces the font). Called after SetProcessDPIAware.
void CreateMessageFont();
// The message font, the title and button fonts at the display's scale, the
// two brushes and the game icon at 96 x 96 scaled.
void CreateDarkTheme();
// Registers a class of a dark window: the game icon, the arrow cursor and the
// dark background brush.
void RegisterDarkWindowClass(const wchar_t* name, WNDPROC procedure);
void UseDarkTitleBar(HWND window);
// The dark windows' answer to WM_DRAWITEM (their owner-drawn buttons) and to
// the WM_CTLCOLOR* messages: true, with the result, for those messages;
// false for every other one.
bool AnswerDarkWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The game icon's size, in 96-DPI units.
inline constexpr int kGameIconSize = 96;
