#include "theme/theme_win.h"

#include <dwmapi.h>

#include <vector>

#include "base/folder_rules.h"
#include "base/system_function_win.h"
#include "base/launcher_state_win.h"
#include "theme/monitor_win.h"
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

// The game icon loaded at the size it is drawn at on one display scale.
struct IconAtDpi {
    int dpi = 0;
    HICON icon = nullptr;
};

// The theme's objects, created once and never released. Fonts and icons are
// made for each display scale a window is laid out at, the first time.
struct ThemeObjects {
    std::vector<FontSet> fontSets;
    std::vector<IconAtDpi> gameIcons;
    HBRUSH backgroundBrush = nullptr;
    HBRUSH fieldBrush = nullptr;
};

ThemeObjects g_theme;

using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

LOGFONTW SystemMessageFont()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);
    return metrics.lfMessageFont;
}

// The system message font as it is at this scale. SystemParametersInfoW
// answers for the system scale; another scale asks Windows 10's
// SystemParametersInfoForDpi, or scales the height where that is missing.
LOGFONTW MessageFontAt(int dpi)
{
    LOGFONTW font = SystemMessageFont();
    const int systemDpi = SystemDpi();
    if (dpi == systemDpi)
        return font;
    static const auto forDpi = LookUp<SystemParametersInfoForDpiFn>(
        GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0,
                         static_cast<UINT>(dpi)))
        return metrics.lfMessageFont;
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
    return font;
}

HFONT FontOf(LOGFONTW font, LONG height, LONG weight)
{
    font.lfHeight = height;
    font.lfWeight = weight;
    return CreateFontIndirectW(&font);
}

} // namespace

FontSet FontsAt(int dpi)
{
    for (const FontSet& set : g_theme.fontSets)
        if (set.dpi == dpi)
            return set;
    const LOGFONTW font = MessageFontAt(dpi);
    FontSet set;
    set.dpi = dpi;
    set.messageFont = CreateFontIndirectW(&font);
    set.titleFont = FontOf(font, ScaleToDpi(kTitleFontHeight, dpi), FW_BOLD);
    set.buttonFont = FontOf(font, ScaleToDpi(kButtonFontHeight, dpi), FW_SEMIBOLD);
    g_theme.fontSets.push_back(set);
    return set;
}

HICON GameIconAt(int dpi)
{
    for (const IconAtDpi& loaded : g_theme.gameIcons)
        if (loaded.dpi == dpi)
            return loaded.icon;
    // A missing icon is remembered too, so the file is looked for once.
    const std::wstring iconPath = g_state.installFolder + kGameIconName;
    const int size = ScaleToDpi(kGameIconSize, dpi);
    HICON icon = static_cast<HICON>(
        LoadImageW(nullptr, iconPath.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
    g_theme.gameIcons.push_back({dpi, icon});
    return icon;
}

void CreateDarkTheme()
{
    g_theme.backgroundBrush = CreateSolidBrush(BackgroundColour);
    g_theme.fieldBrush = CreateSolidBrush(FieldColour);
}

void RegisterDarkWindowClass(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = GameIconAt(SystemDpi());
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = g_theme.backgroundBrush;
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

void UseDarkTitleBar(HWND window)
{
    const BOOL dark = HighContrastOn() ? FALSE : TRUE;
    DwmSetWindowAttribute(window, kImmersiveDarkModeAttribute, &dark, sizeof(dark));
}

namespace {

HighContrastProbe g_highContrastProbe = nullptr;

bool SystemHighContrastOn()
{
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0)
        && (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The brush of a background or field colour of the scheme: the system's own
// brush in high contrast (never deleted), the dark ones otherwise.
HBRUSH SchemeBrush(const Scheme& scheme, bool field)
{
    if (scheme.highContrast)
        return GetSysColorBrush(COLOR_WINDOW);
    return field ? g_theme.fieldBrush : g_theme.backgroundBrush;
}

BOOL CALLBACK TellOfColourChange(HWND child, LPARAM)
{
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

} // namespace

void UseHighContrastProbe(HighContrastProbe probe)
{
    g_highContrastProbe = probe;
}

bool HighContrastOn()
{
    return g_highContrastProbe ? g_highContrastProbe() : SystemHighContrastOn();
}

SystemColours ReadSystemColours()
{
    return {GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT),
            GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNTEXT),
            GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT),
            GetSysColor(COLOR_GRAYTEXT)};
}

Scheme CurrentScheme()
{
    return SchemeFor(HighContrastOn(), ReadSystemColours());
}

StatusColours CurrentStatusColours()
{
    return StatusColoursFor(HighContrastOn(), ReadSystemColours());
}

void FollowColourChange(HWND window, UINT message, bool darkWindow)
{
    if (message != WM_SYSCOLORCHANGE && message != WM_SETTINGCHANGE && message != WM_THEMECHANGED)
        return;
    // Top-level windows hear of a colour change; their controls only
    // through them.
    if (message == WM_SYSCOLORCHANGE)
        EnumChildWindows(window, TellOfColourChange, 0);
    if (darkWindow)
        UseDarkTitleBar(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

namespace {

// Paints one owner-drawn button; the window builder marked the accent ones.
void DrawThemedButton(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool accent = GetWindowLongPtrW(item.hwndItem, GWLP_USERDATA) == AccentButton;
    const Scheme scheme = CurrentScheme();
    const ButtonColours colours = ThemedButtonColours(scheme, ReadSystemColours(), accent,
                                                      (item.itemState & ODS_SELECTED) != 0);

    // The corners outside the rounded face show the window background.
    FillRect(dc, &rect, SchemeBrush(scheme, false));

    HBRUSH face = CreateSolidBrush(colours.face);
    HGDIOBJ oldBrush = SelectObject(dc, face);
    const int dpi = WindowDpi(item.hwndItem);
    const int corner = ScaleToDpi(kButtonCornerEllipse, dpi);
    if (colours.borderWidth > 0) {
        // An inside-frame pen keeps the whole border within the item.
        HPEN border = CreatePen(PS_INSIDEFRAME, ScaleToDpi(colours.borderWidth, dpi),
                                colours.border);
        HGDIOBJ oldPen = SelectObject(dc, border);
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
        SelectObject(dc, oldPen);
        DeleteObject(border);
    } else {
        // No pen, so the shape needs one more pixel on the right and bottom
        // to cover the whole item.
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        RoundRect(dc, rect.left, rect.top, rect.right + 1, rect.bottom + 1, corner, corner);
        SelectObject(dc, oldPen);
    }
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
        const int inset = ScaleToDpi(kFocusInset, dpi);
        InflateRect(&textRect, -inset, -inset);
        DrawFocusRect(dc, &textRect);
    }
}

HBRUSH AnswerDarkCtlColour(UINT message, HDC dc)
{
    // Edits and lists sit on the field colour, everything else on the background.
    const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const Scheme scheme = CurrentScheme();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, field ? scheme.fieldText : scheme.text);
    SetBkColor(dc, field ? scheme.field : scheme.background);
    return SchemeBrush(scheme, field);
}

// The class brush is the dark one; in high contrast the background is the
// scheme's.
LRESULT EraseDarkBackground(HWND window, HDC dc)
{
    RECT client = {};
    GetClientRect(window, &client);
    FillRect(dc, &client, SchemeBrush(CurrentScheme(), false));
    return 1;
}

} // namespace

bool AnswerDarkWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result)
{
    switch (message) {
    case WM_ERASEBKGND:
        result = EraseDarkBackground(window, reinterpret_cast<HDC>(wParam));
        return true;
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
