#include "theme/window_builder_win.h"

#include "base/names.h"
#include "theme/monitor_win.h"
#include "theme/theme_win.h"

namespace {

HFONT FontFor(HWND parent, FontRole role)
{
    const FontSet fonts = FontsAt(WindowDpi(parent));
    return role == ButtonFontRole ? fonts.buttonFont : fonts.messageFont;
}

// The scale a window fits at on the monitor, and its outer size there.
struct Fitted {
    int dpi;
    PixelSize outer;
};

Fitted FitToMonitor(PixelSize client, DWORD style, int monitorDpi, const PixelRect& workArea)
{
    // The system draws the frame at the monitor's scale, whatever the
    // contents are laid out at.
    const PixelSize frame = FrameSize(style, monitorDpi);
    const int dpi = FitDpi(client, [&](int) { return frame; }, {workArea.width, workArea.height},
                           monitorDpi);
    return {dpi, {ScaleToDpi(client.width, dpi) + frame.width,
                  ScaleToDpi(client.height, dpi) + frame.height}};
}

HMONITOR MonitorForPlacement(POINT position, HWND owner)
{
    if (position.x != CW_USEDEFAULT)
        return MonitorFromPoint(position, MONITOR_DEFAULTTONEAREST);
    if (owner)
        return MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST);
    return MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

void MoveTo(HWND window, const PixelRect& rect, UINT flags)
{
    SetWindowPos(window, nullptr, rect.x, rect.y, rect.width, rect.height,
                 flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves the window only where it would leave the work area.
void KeepInside(HWND window, const PixelRect& workArea)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    const PixelRect now = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    const PixelRect placed = PlaceInside(now, workArea);
    if (placed.x != now.x || placed.y != now.y)
        MoveTo(window, placed, SWP_NOSIZE);
}

} // namespace

int WindowDpi(HWND window)
{
    const HANDLE dpi = GetPropW(GetAncestor(window, GA_ROOT), kDpiProperty);
    return dpi ? static_cast<int>(reinterpret_cast<INT_PTR>(dpi)) : kDesignDpi;
}

void SetWindowDpi(HWND window, int dpi)
{
    SetPropW(window, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

void ForgetWindowDpi(HWND window)
{
    RemovePropW(window, kDpiProperty);
}

int Scaled(HWND window, int length)
{
    return ScaleToDpi(length, WindowDpi(window));
}

HWND CreateControl(HWND parent, const ControlDef& def)
{
    const LayoutRect rect = ScaleToDpi(def.rect, WindowDpi(parent));
    HWND control = CreateWindowExW(def.exStyle, def.className, def.text,
                                   WS_CHILD | WS_VISIBLE | def.style, rect.x, rect.y, rect.width,
                                   rect.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(parent, def.font)), TRUE);
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

void LayOutControls(HWND parent, std::span<const ControlDef> table)
{
    const int dpi = WindowDpi(parent);
    for (const ControlDef& def : table) {
        HWND control = Control(parent, def.id);
        if (!control)
            continue;
        // The steps of creation: the rectangle while the control has the
        // system font, then its own font. Some classes fit their height to
        // the font they have at that moment (a combo box's field, a list
        // box's whole items), so this gives what creation at this scale gives.
        SendMessageW(control, WM_SETFONT, 0, FALSE);
        const LayoutRect rect = ScaleToDpi(def.rect, dpi);
        MoveTo(control, {rect.x, rect.y, rect.width, rect.height}, SWP_NOREDRAW);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(parent, def.font)), TRUE);
    }
}

HWND CreateTopWindow(const wchar_t* className, const wchar_t* title, DWORD style,
                     int clientWidth, int clientHeight, POINT position, HWND owner,
                     void* creationData)
{
    const PixelSize client = {clientWidth, clientHeight};
    HMONITOR monitor = MonitorForPlacement(position, owner);
    Fitted fitted = FitToMonitor(client, style, MonitorDpi(monitor), WorkArea(monitor));
    HWND window = CreateWindowExW(0, className, title, style, position.x, position.y,
                                  fitted.outer.width, fitted.outer.height, owner, nullptr,
                                  GetModuleHandleW(nullptr), creationData);
    if (!window)
        return nullptr;
    // The system may have placed it on another monitor (the one a program
    // was started from): that monitor's scale and work area then apply.
    HMONITOR placedOn = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (placedOn != monitor) {
        monitor = placedOn;
        fitted = FitToMonitor(client, style, MonitorDpi(monitor), WorkArea(monitor));
        SetWindowPos(window, nullptr, 0, 0, fitted.outer.width, fitted.outer.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowDpi(window, fitted.dpi);
    KeepInside(window, WorkArea(monitor));
    return window;
}

void TakeNewDpi(HWND window, WPARAM wParam, LPARAM lParam, PixelSize client,
                std::span<const ControlDef> table)
{
    const int monitorDpi = HIWORD(wParam);
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    const PixelRect workArea = WorkArea(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST));
    const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const Fitted fitted = FitToMonitor(client, style, monitorDpi, workArea);
    PixelRect rect = {suggested.left, suggested.top, fitted.outer.width, fitted.outer.height};
    // While a window is dragged to another monitor it stays under the
    // pointer; only a window that had to shrink is also moved on screen.
    if (fitted.dpi < monitorDpi)
        rect = PlaceInside(rect, workArea);
    SetWindowDpi(window, fitted.dpi);
    MoveTo(window, rect, 0);
    LayOutControls(window, table);
    InvalidateRect(window, nullptr, TRUE);
}
