// The one way the launcher builds its windows: a top-level window of a given
// client size, and its controls from a table of data, both at the display's
// scale. Sizes and positions are given in 96-DPI units.
#pragma once

#include <windows.h>

#include <span>

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

// A length in 96-DPI units at the display's scale.
int Scaled(int length);

// Creates one control and gives it its font (WM_SETFONT, redraw TRUE).
HWND CreateControl(HWND parent, const ControlDef& def);

// A window's control by its ID: the one way the windows reach their controls.
HWND Control(HWND window, int id);

// Creates a table's controls in order, which is also their Tab order.
void CreateControls(HWND parent, std::span<const ControlDef> table);

// A window whose client area is clientWidth x clientHeight; its outer size
// follows from AdjustWindowRect with its style and no menu. With
// CW_USEDEFAULT as position the system places it. owner may be null;
// creationData reaches WM_NCCREATE and WM_CREATE in CREATESTRUCT.
HWND CreateTopWindow(const wchar_t* className, const wchar_t* title, DWORD style,
                     int clientWidth, int clientHeight, POINT position, HWND owner,
                     void* creationData = nullptr);

inline constexpr POINT kSystemPlaced = {CW_USEDEFAULT, CW_USEDEFAULT};
