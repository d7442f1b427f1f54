// The one way the launcher builds its windows: a top-level window of a given
// client size, and its controls from a table of data, both at the display's
// scale. Sizes and positions are given in 96-DPI units.
#pragma once

#include <windows.h>

#include <span>

#include "base/launcher_state.h"
#include "theme/layout_scale.h"

enum FontRole { MessageFontRole, ButtonFontRole };

struct ControlDef {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;     // besides WS_CHILD | WS_VISIBLE, which every control has
    DWORD exStyle;
    int id;          // 0: none
    LayoutRect rect; // in the parent's client area
    FontRole font;
    HWND LauncherState::*handle = nullptr; // where the handle is kept; null: nowhere
};

// A length in 96-DPI units at the display's scale.
int Scaled(int length);

// Creates one control and gives it its font (WM_SETFONT, redraw TRUE).
HWND CreateControl(HWND parent, const ControlDef& def);

// Creates a table's controls in order, which is also their Tab order.
void CreateControls(HWND parent, std::span<const ControlDef> table);

// A window whose client area is clientWidth x clientHeight; its outer size
// follows from AdjustWindowRect with its style and no menu. With
// CW_USEDEFAULT as position the system places it. owner may be null.
HWND CreateTopWindow(const wchar_t* className, const wchar_t* title, DWORD style,
                     int clientWidth, int clientHeight, POINT position, HWND owner);

inline constexpr POINT kSystemPlaced = {CW_USEDEFAULT, CW_USEDEFAULT};
