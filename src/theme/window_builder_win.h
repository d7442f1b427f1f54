// The one way the launcher builds its windows: a top-level window of a given
// client size, and its controls from a table of data, both at the window's
// own scale, and the same table laid out again when the scale changes. Sizes
// and positions are given in 96-DPI units.
#pragma once

#include <windows.h>

#include <span>

#include "theme/fit_scale.h"
#include "theme/layout_scale.h"

enum FontRole { MessageFontRole, ButtonFontRole };

// How an owner-drawn button is painted: the window's main action stands out.
enum ButtonKind { PlainButton, AccentButton };

struct ControlDef {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;     // besides WS_CHILD | WS_VISIBLE, which every control has
    DWORD exStyle;
    int id;          // 0: none
    LayoutRect rect; // in the parent's client area
    FontRole font;
    ButtonKind kind = PlainButton; // owner-drawn buttons only
};

// The scale a window's contents are laid out and painted at: that of its
// top-level window, kept with it as the property kDpiProperty (96 when it
// has none). It is the monitor's scale, or less where the window would not
// fit the monitor's work area at that scale.
int WindowDpi(HWND window);
void SetWindowDpi(HWND window, int dpi);
// Removes the property; called while the window is destroyed.
void ForgetWindowDpi(HWND window);

// A length in 96-DPI units at the window's scale.
int Scaled(HWND window, int length);

// Creates one control at its parent's scale and gives it that scale's font
// (WM_SETFONT, redraw TRUE).
HWND CreateControl(HWND parent, const ControlDef& def);

// A window's control by its ID: the one way the windows reach their controls.
HWND Control(HWND window, int id);

// Creates a table's controls in order, which is also their Tab order.
void CreateControls(HWND parent, std::span<const ControlDef> table);

// Moves and sizes each control of the table, found by its ID, to its
// rectangle at the parent's scale, and gives it that scale's font.
void LayOutControls(HWND parent, std::span<const ControlDef> table);

// A window whose client area is clientWidth x clientHeight; its outer size
// follows from its style with no menu. It is built for the monitor it goes
// on (that of position; with CW_USEDEFAULT as position, where the system
// places it, the owner's monitor or else the primary one; the one the
// system actually put it on, where that differs), at the largest scale up
// to that monitor's at which it fits the work area, and moved inside the
// work area. owner may be null; creationData reaches WM_NCCREATE and
// WM_CREATE in CREATESTRUCT.
HWND CreateTopWindow(const wchar_t* className, const wchar_t* title, DWORD style,
                     int clientWidth, int clientHeight, POINT position, HWND owner,
                     void* creationData = nullptr);

// A top-level window's answer to WM_DPICHANGED: the new monitor scale
// (fitted to the work area as when it was built), the suggested rectangle
// (its top-left corner, and its size unless the contents need another),
// the table's controls laid out again and the client area repainted.
// client is the window's client size in 96-DPI units.
void TakeNewDpi(HWND window, WPARAM wParam, LPARAM lParam, PixelSize client,
                std::span<const ControlDef> table);

inline constexpr POINT kSystemPlaced = {CW_USEDEFAULT, CW_USEDEFAULT};
