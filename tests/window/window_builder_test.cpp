// The window layer: a table of controls becomes child windows in table
// order, each at its rectangle scaled to the display, with its font, its ID
// each reachable by its ID, and an accent button marked for the painter.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "base/launcher_state_win.h"
#include "theme/window_builder_win.h"

namespace {

struct ScopedDpi {
    explicit ScopedDpi(int dpi) : saved(g_state.dpi) { g_state.dpi = dpi; }
    ~ScopedDpi() { g_state.dpi = saved; }
    int saved;
};

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

TEST(WindowBuilder, ATableBecomesControlsInOrderAtTheDisplaysScale)
{
    g_state.messageFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    g_state.buttonFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
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
        ScopedDpi dpi(c.dpi);
        HWND parent = CreateParent();
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
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(children[0], WM_GETFONT, 0, 0)),
                  g_state.messageFont);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(children[1], WM_GETFONT, 0, 0)),
                  g_state.buttonFont);
        DestroyWindow(parent);
    }
}

TEST(WindowBuilder, ATopWindowHasTheScaledClientSize)
{
    for (int dpi : {96, 120, 192}) {
        ScopedDpi scoped(dpi);
        const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        HWND window = CreateTopWindow(L"STATIC", L"top", style, 520, 300, kSystemPlaced, nullptr);
        ASSERT_NE(window, nullptr);
        RECT client = {};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, MulDiv(520, dpi, 96)) << dpi;
        EXPECT_EQ(client.bottom, MulDiv(300, dpi, 96)) << dpi;
        DestroyWindow(window);
    }
}

} // namespace
