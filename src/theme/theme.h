// Fonts, brushes, the game icon, the dark title bar, the owner-drawn buttons
// and the dark windows' answers to the control-colour messages.
#pragma once

#include <windows.h>

// The system message font into g_state.messageFont (a later call replaces it).
void CreateMessageFont();
// Message, title and button fonts, the two brushes and the 96 x 96 game icon.
void CreateDarkTheme();
void UseDarkTitleBar(HWND window);
// Paints one owner-drawn button of a dark window.
void DrawThemedButton(const DRAWITEMSTRUCT& item);
// Sets the colours of a WM_CTLCOLOR* message of a dark window and returns its brush.
HBRUSH AnswerDarkCtlColor(UINT message, HDC dc);
