#include "theme/theme_win.h"

#include <dwmapi.h>

#include "base/folder_rules.h"
#include "base/launcher_state_win.h"
#include "theme/palette.h"
#include "theme/window_builder_win.h"

namespace {

// The whole structure, iPaddedBorderWidth included, as Vista and later define it.
constexpr UINT kNonClientMetricsSize = 504;
static_assert(sizeof(NONCLIENTMETRICSW) == kNonClientMetricsSize);

// Known to the window manager since Windows 10 20H1; older systems ignore it.
constexpr DWORD kImmersiveDarkModeAttribute = 20;

// In 96-DPI units, like every other size.
constexpr LONG kTitleFontHeight = -30;
constexpr LONG kButtonFontHeight = -17;
constexpr int kButtonCornerEllipse = 12;
constexpr int kFocusInset = 4;
constexpr int kButtonTextCapacity = 64;

LOGFONTW SystemMessageFont()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);
    return metrics.lfMessageFont;
}

HFONT FontOf(LOGFONTW font, LONG height, LONG weight)
{
    font.lfHeight = height;
    font.lfWeight = weight;
    return CreateFontIndirectW(&font);
}

} // namespace

void CreateMessageFont()
{
    HDC screen = GetDC(nullptr);
    g_state.dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const LOGFONTW font = SystemMessageFont();
    g_state.messageFont = CreateFontIndirectW(&font);
}

void CreateDarkTheme()
{
    CreateMessageFont();
    const LOGFONTW font = SystemMessageFont();
    g_state.titleFont = FontOf(font, Scaled(kTitleFontHeight), FW_BOLD);
    g_state.buttonFont = FontOf(font, Scaled(kButtonFontHeight), FW_SEMIBOLD);
    g_state.backgroundBrush = CreateSolidBrush(BackgroundColour);
    g_state.fieldBrush = CreateSolidBrush(FieldColour);
    const std::wstring iconPath = g_state.installFolder + kGameIconName;
    const int iconSize = Scaled(kGameIconSize);
    g_state.gameIcon = static_cast<HICON>(
        LoadImageW(nullptr, iconPath.c_str(), IMAGE_ICON, iconSize, iconSize, LR_LOADFROMFILE));
}

void RegisterDarkWindowClass(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = g_state.gameIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = g_state.backgroundBrush;
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

void UseDarkTitleBar(HWND window)
{
    const BOOL dark = TRUE;
    DwmSetWindowAttribute(window, kImmersiveDarkModeAttribute, &dark, sizeof(dark));
}

namespace {

// Paints one owner-drawn button; the window builder marked the accent ones.
void DrawThemedButton(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool accent = GetWindowLongPtrW(item.hwndItem, GWLP_USERDATA) == AccentButton;
    const ButtonColours colours = ThemedButtonColours(accent, (item.itemState & ODS_SELECTED) != 0);

    // The corners outside the rounded face show the window background.
    FillRect(dc, &rect, g_state.backgroundBrush);

    // No pen, so the shape needs one more pixel on the right and bottom to
    // cover the whole item.
    HBRUSH face = CreateSolidBrush(colours.face);
    HGDIOBJ oldBrush = SelectObject(dc, face);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const int corner = Scaled(kButtonCornerEllipse);
    RoundRect(dc, rect.left, rect.top, rect.right + 1, rect.bottom + 1, corner, corner);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(face);

    wchar_t text[kButtonTextCapacity] = {};
    GetWindowTextW(item.hwndItem, text, kButtonTextCapacity);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.text);
    RECT textRect = rect;
    // The button's own font (buttonFont) is already selected by the system.
    DrawTextW(dc, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    if (item.itemState & ODS_FOCUS) {
        InflateRect(&textRect, -Scaled(kFocusInset), -Scaled(kFocusInset));
        DrawFocusRect(dc, &textRect);
    }
}

HBRUSH AnswerDarkCtlColour(UINT message, HDC dc)
{
    // Edits and lists sit on the field colour, everything else on the background.
    const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColour);
    SetBkColor(dc, field ? FieldColour : BackgroundColour);
    return field ? g_state.fieldBrush : g_state.backgroundBrush;
}

} // namespace

bool AnswerDarkWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_DRAWITEM:
        DrawThemedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        result = reinterpret_cast<LRESULT>(AnswerDarkCtlColour(message, reinterpret_cast<HDC>(wParam)));
        return true;
    }
    return false;
}
