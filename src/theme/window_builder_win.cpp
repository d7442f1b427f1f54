#include "theme/window_builder_win.h"

#include "base/launcher_state_win.h"

int Scaled(int length)
{
    return ScaleToDpi(length, g_state.dpi);
}

HWND CreateControl(HWND parent, const ControlDef& def)
{
    const LayoutRect rect = ScaleToDpi(def.rect, g_state.dpi);
    HWND control = CreateWindowExW(def.exStyle, def.className, def.text,
                                   WS_CHILD | WS_VISIBLE | def.style, rect.x, rect.y, rect.width,
                                   rect.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
                                   GetModuleHandleW(nullptr), nullptr);
    HFONT font = def.font == ButtonFontRole ? g_state.buttonFont : g_state.messageFont;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // The painter reads the kind back when it draws the button.
    if (def.kind == AccentButton)
        SetWindowLongPtrW(control, GWLP_USERDATA, AccentButton);
    return control;
}

HWND Control(HWND window, int id)
{
    return GetDlgItem(window, id);
}

void CreateControls(HWND parent, std::span<const ControlDef> table)
{
    for (const ControlDef& def : table)
        CreateControl(parent, def);
}

HWND CreateTopWindow(const wchar_t* className, const wchar_t* title, DWORD style,
                     int clientWidth, int clientHeight, POINT position, HWND owner,
                     void* creationData)
{
    RECT frame = {0, 0, Scaled(clientWidth), Scaled(clientHeight)};
    AdjustWindowRect(&frame, style, FALSE);
    return CreateWindowExW(0, className, title, style, position.x, position.y,
                           frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                           GetModuleHandleW(nullptr), creationData);
}
