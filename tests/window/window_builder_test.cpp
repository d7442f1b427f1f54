// The window layer: a table of controls becomes child windows in table
// order, each at its rectangle scaled to its window's scale, with that
// scale's font, each reachable by its ID, and an accent button marked for
// the painter. A top-level window is built at its monitor's scale, or at
// the largest that fits the work area.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "theme/monitor_win.h"
#include "theme/theme_win.h"
#include "theme/window_builder_win.h"

namespace {

HWND CreateParent()
{
    return CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

RECT RectInParent(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(WindowBuilder, ATableBecomesControlsInOrderAtTheWindowsScale)
{
    const ControlDef table[] = {
        {L"STATIC", L"label", 0, 0, 0, {16, 14, 610, 20}, MessageFontRole},
        {L"BUTTON", L"Go", WS_TABSTOP, 0, 101, {16, 98, 200, 30}, ButtonFontRole, AccentButton},
        {L"EDIT", L"", ES_READONLY, WS_EX_CLIENTEDGE, 102, {216, 98, 10, 30}, MessageFontRole},
    };
    struct Case {
        int dpi;
        RECT label, button, edit;
    } cases[] = {
        {96, {16, 14, 626, 34}, {16, 98, 216, 128}, {216, 98, 226, 128}},
        {144, {24, 21, 939, 51}, {24, 147, 324, 192}, {324, 147, 339, 192}},
        {192, {32, 28, 1252, 68}, {32, 196, 432, 256}, {432, 196, 452, 256}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        HWND parent = CreateParent();
        SetWindowDpi(parent, c.dpi);
        CreateControls(parent, table);

        std::vector<HWND> children;
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        ASSERT_EQ(children.size(), 3u);
        const RECT expected[] = {c.label, c.button, c.edit};
        for (size_t i = 0; i < children.size(); ++i) {
            const RECT rect = RectInParent(children[i]);
            EXPECT_EQ(rect.left, expected[i].left) << i;
            EXPECT_EQ(rect.top, expected[i].top) << i;
            EXPECT_EQ(rect.right, expected[i].right) << i;
            EXPECT_EQ(rect.bottom, expected[i].bottom) << i;
            EXPECT_TRUE(GetWindowLongW(children[i], GWL_STYLE) & WS_VISIBLE) << i;
        }
        EXPECT_EQ(Control(parent, 101), children[1]);
        EXPECT_EQ(Control(parent, 102), children[2]);
        EXPECT_EQ(GetWindowLongPtrW(children[1], GWLP_USERDATA), AccentButton);
        EXPECT_EQ(GetWindowLongPtrW(children[2], GWLP_USERDATA), 0);
        EXPECT_TRUE(GetWindowLongW(children[2], GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        const FontSet fonts = FontsAt(c.dpi);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(children[0], WM_GETFONT, 0, 0)),
                  fonts.messageFont);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(children[1], WM_GETFONT, 0, 0)),
                  fonts.buttonFont);
        ForgetWindowDpi(parent);
        DestroyWindow(parent);
    }
}

TEST(WindowBuilder, FontsAreMadeOncePerScale)
{
    const FontSet first = FontsAt(120);
    const FontSet again = FontsAt(120);
    const FontSet other = FontsAt(144);
    EXPECT_EQ(first.messageFont, again.messageFont);
    EXPECT_EQ(first.buttonFont, again.buttonFont);
    EXPECT_NE(first.messageFont, other.messageFont);
    LOGFONTW title120 = {}, title144 = {};
    GetObjectW(first.titleFont, sizeof(title120), &title120);
    GetObjectW(other.titleFont, sizeof(title144), &title144);
    EXPECT_EQ(title120.lfHeight, -38); // -30 at 125 %
    EXPECT_EQ(title144.lfHeight, -45);
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

bool Inside(const RECT& rect, const PixelRect& area)
{
    return rect.left >= area.x && rect.top >= area.y && rect.right <= area.x + area.width
        && rect.bottom <= area.y + area.height;
}

// On a monitor it fits, a window is built at the monitor's scale with the
// scaled client size; one too large for the work area is built at the
// largest smaller scale that fits, and placed inside the work area even when
// asked for a place that is not.
TEST(WindowBuilder, ATopWindowIsBuiltAtTheLargestScaleThatFits)
{
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HMONITOR primary = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const int monitorDpi = MonitorDpi(primary);
    const PixelRect area = WorkArea(primary);
    // Client sizes in 96-DPI units: one that fits, one as large as the
    // work area, so that the frame makes it too large at the monitor's scale.
    const int fullHeight = area.height * kDesignDpi / monitorDpi;
    struct Case {
        const char* name;
        SIZE client;
        POINT position;
        bool shrinks;
    } cases[] = {
        {"fits, system-placed", {520, 300}, kSystemPlaced, false},
        {"fits, placed off the bottom right", {520, 300}, {area.x + area.width - 10, area.y + area.height - 10}, false},
        {"too high, system-placed", {400, fullHeight}, kSystemPlaced, true},
        {"too high, placed partly off the top", {400, fullHeight}, {area.x + 40, area.y - 300}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND window = CreateTopWindow(L"STATIC", L"top", style, c.client.cx, c.client.cy,
                                      c.position, nullptr);
        ASSERT_NE(window, nullptr);
        const int dpi = WindowDpi(window);
        RECT client = {};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, ScaleToDpi(c.client.cx, dpi));
        EXPECT_EQ(client.bottom, ScaleToDpi(c.client.cy, dpi));
        const RECT outer = WindowRect(window);
        EXPECT_TRUE(Inside(outer, area)) << outer.left << "," << outer.top << " " << outer.right
                                         << "," << outer.bottom;
        if (c.shrinks) {
            EXPECT_LT(dpi, monitorDpi);
            // The largest: one dpi more would not fit.
            const int frameHeight = (outer.bottom - outer.top) - client.bottom;
            EXPECT_GT(ScaleToDpi(c.client.cy, dpi + 1) + frameHeight, area.height);
        } else {
            EXPECT_EQ(dpi, monitorDpi);
        }
        ForgetWindowDpi(window);
        DestroyWindow(window);
    }
}

} // namespace
