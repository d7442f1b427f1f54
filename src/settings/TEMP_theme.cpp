// TEMPORARY stand-in for the theme until the real one is merged; delete at merge.
#include <dwmapi.h>

#include "app/launcher_state.h"
#include "theme/palette.h"
#include "theme/theme.h"

void CreateMessageFont()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    g_state.messageFont = CreateFontIndirectW(&metrics.lfMessageFont);
}

void CreateDarkTheme()
{
    CreateMessageFont();
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW title = metrics.lfMessageFont;
    title.lfHeight = -30;
    title.lfWeight = FW_BOLD;
    g_state.titleFont = CreateFontIndirectW(&title);
    LOGFONTW button = metrics.lfMessageFont;
    button.lfHeight = -17;
    button.lfWeight = FW_SEMIBOLD;
    g_state.buttonFont = CreateFontIndirectW(&button);
    g_state.backgroundBrush = CreateSolidBrush(BackgroundColour);
    g_state.fieldBrush = CreateSolidBrush(FieldColour);
}

void UseDarkTitleBar(HWND window)
{
    BOOL dark = TRUE;
    DwmSetWindowAttribute(window, 20, &dark, sizeof(dark));
}

void DrawThemedButton(const DRAWITEMSTRUCT& item)
{
    const ButtonColours colours =
        ThemedButtonColours(static_cast<int>(item.CtlID), (item.itemState & ODS_SELECTED) != 0);
    FillRect(item.hDC, &item.rcItem, g_state.backgroundBrush);
    HBRUSH face = CreateSolidBrush(colours.face);
    HGDIOBJ oldBrush = SelectObject(item.hDC, face);
    HGDIOBJ oldPen = SelectObject(item.hDC, GetStockObject(NULL_PEN));
    RoundRect(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right + 1,
              item.rcItem.bottom + 1, 12, 12);
    SelectObject(item.hDC, oldBrush);
    SelectObject(item.hDC, oldPen);
    DeleteObject(face);
    wchar_t text[64] = {};
    GetWindowTextW(item.hwndItem, text, 64);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colours.text);
    RECT box = item.rcItem;
    DrawTextW(item.hDC, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&box, -4, -4);
        DrawFocusRect(item.hDC, &box);
    }
}

HBRUSH AnswerDarkCtlColor(UINT message, HDC dc)
{
    const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColour);
    SetBkColor(dc, field ? FieldColour : BackgroundColour);
    return field ? g_state.fieldBrush : g_state.backgroundBrush;
}
