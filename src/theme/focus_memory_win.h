// The keyboard focus of a top-level window that is not a dialog: the system
// gives the focus to the window itself when it is activated again, so the
// window remembers which of its controls had it and gives it back.
#pragma once

#include <windows.h>

// Notes the control that has the focus now, when it is one of the window's;
// otherwise what was noted before stays. Called on deactivation, and by code
// that disables the window itself (a disabled window loses its focus first).
void RememberFocus(HWND window);

// The window's WM_ACTIVATE: remembers the focus on deactivation, gives it
// back on activation. True when the focus was given back and the message is
// handled; false when it goes on to DefWindowProcW (which focuses the window).
bool TrackFocusOnActivate(HWND window, WPARAM wParam);

// The window's WM_NCDESTROY: drops what was noted.
void ForgetFocus(HWND window);
