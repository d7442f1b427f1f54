#include "theme/focus_memory_win.h"

namespace {

// The noted control is kept as a property of the window itself.
constexpr wchar_t kFocusProperty[] = L"Vantaroo.focus";

} // namespace

void RememberFocus(HWND window)
{
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus))
        SetPropW(window, kFocusProperty, focus);
}

bool TrackFocusOnActivate(HWND window, WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus(window);
        return false;
    }
    // A minimised window takes no focus.
    if (HIWORD(wParam))
        return false;
    HWND noted = static_cast<HWND>(GetPropW(window, kFocusProperty));
    // A control that went away or was disabled meanwhile gets nothing.
    if (!noted || !IsChild(window, noted) || !IsWindowEnabled(noted) || !IsWindowVisible(noted))
        return false;
    SetFocus(noted);
    return true;
}

void ForgetFocus(HWND window)
{
    RemovePropW(window, kFocusProperty);
}
