// High contrast, handed to the windows through the theme's probe (Wine
// cannot switch it on): the dark windows answer the control-colour messages
// with the scheme's colours and paint their owner-drawn buttons in them,
// the setup window's check lines take the scheme's colours, and a switch
// while the windows are open repaints them. With the mode off everything
// keeps the dark palette.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "base/launcher_state_win.h"
#include "pump_messages.h"
#include "window_fixture.h"
#include "base/names.h"
#include "driver.h"
#include "release.h"
#include "home/home_window_win.h"
#include "settings/settings_window_win.h"
#include "setup/setup_session.h"
#include "setup/setup_window_win.h"
#include "theme/palette.h"
#include "theme/theme_win.h"
#include "theme/window_builder_win.h"

namespace {

bool g_highContrast = false;

bool Probe()
{
    return g_highContrast;
}

struct Answer {
    COLORREF text;
    COLORREF background;
    COLORREF brush;
};

// What the window answers a WM_CTLCOLOR* message for one of its controls.
Answer AnswerFor(HWND window, UINT message, HWND control)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    Answer answer = {GetTextColor(dc), GetBkColor(dc), CLR_INVALID};
    LOGBRUSH logBrush = {};
    if (brush && GetObjectW(brush, sizeof(logBrush), &logBrush))
        answer.brush = logBrush.lbColor;
    DeleteDC(dc);
    return answer;
}

// A point of the button in the button's client coordinates, read from the screen.
COLORREF ButtonPixel(HWND button, int x, int y)
{
    POINT at = {x, y};
    ClientToScreen(button, &at);
    return driver::ScreenPixel(at.x, at.y);
}

struct ButtonLook {
    COLORREF face, left, right, top, bottom;
};

// The face beside the text, and the middle of each of the four edges.
ButtonLook LookOf(HWND button)
{
    RECT client = {};
    GetClientRect(button, &client);
    const int midX = client.right / 8, midY = client.bottom / 2;
    return {ButtonPixel(button, 10, midY), ButtonPixel(button, 0, midY),
            ButtonPixel(button, client.right - 1, midY), ButtonPixel(button, midX, 0),
            ButtonPixel(button, midX, client.bottom - 1)};
}

bool LooksAs(HWND button, const ButtonColours& colours)
{
    const ButtonLook look = LookOf(button);
    const COLORREF edge = colours.borderWidth > 0 ? colours.border : colours.face;
    return look.face == colours.face && look.left == edge && look.right == edge && look.top == edge
        && look.bottom == edge;
}

std::string Describe(const ButtonLook& look)
{
    char text[128];
    snprintf(text, sizeof(text), "face %06lx, edges left %06lx right %06lx top %06lx bottom %06lx",
             look.face, look.left, look.right, look.top, look.bottom);
    return text;
}

class HighContrast : public LauncherWindows {
protected:
    HighContrast() : LauncherWindows(L"vantaroo contrast test") {}

    void SetUp() override
    {
        LauncherWindows::SetUp();
        g_highContrast = false;
        UseHighContrastProbe(Probe);
    }

    void TearDown() override
    {
        UseHighContrastProbe(nullptr);
        LauncherWindows::TearDown();
    }

    // Saves a picture of the window while the test runs under ./test.
    static void SavePicture(HWND window, const wchar_t* name)
    {
        const std::wstring folder = EnvironmentText(L"VANTAROO_SCREENSHOT_DIR");
        if (!folder.empty())
            driver::SaveScreenImage(window, folder + L"\\" + name + L".bmp");
    }
};

TEST_F(HighContrast, TheDarkWindowsAnswerWithTheModesColours)
{
    HomeState state;
    HWND home = CreateHomeWindow(state);
    ASSERT_NE(home, nullptr);
    OpenSettingsWindow(home);
    HWND settings = g_state.settingsWindow;
    ASSERT_NE(settings, nullptr);
    HWND tick = Control(home, IdStartStraightAway);
    HWND list = Control(settings, IdFirstSettingList);
    for (bool mode : {false, true, false}) {
        SCOPED_TRACE(mode ? "high contrast" : "dark");
        g_highContrast = mode;
        const Scheme scheme = SchemeFor(mode, ReadSystemColours());
        const Answer label = AnswerFor(home, WM_CTLCOLORSTATIC, tick);
        EXPECT_EQ(label.text, scheme.text);
        EXPECT_EQ(label.brush, scheme.background);
        const Answer field = AnswerFor(settings, WM_CTLCOLORLISTBOX, list);
        EXPECT_EQ(field.text, scheme.fieldText);
        EXPECT_EQ(field.background, scheme.field);
        EXPECT_EQ(field.brush, scheme.field);
        if (mode) {
            SendMessageW(settings, WM_SYSCOLORCHANGE, 0, 0);
            EXPECT_TRUE(PumpUntil([] { return !GetQueueStatus(QS_PAINT); }));
            SavePicture(settings, L"settings-high-contrast");
        }
    }
    SendMessageW(settings, WM_CLOSE, 0, 0);
    DestroyWindow(home);
}

// The owner-drawn buttons are read off the screen: the accent and a plain
// button, in the dark palette, then after a live switch to high contrast
// (the system's face and text, with a border on all four edges), then back.
TEST_F(HighContrast, TheButtonsArePaintedAgainInTheNewColoursAfterALiveSwitch)
{
    HomeState state;
    HWND home = CreateHomeWindow(state);
    ASSERT_NE(home, nullptr);
    SetWindowPos(home, HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE);
    ShowWindow(home, SW_SHOW);
    UpdateWindow(home);
    HWND play = Control(home, IdPlay);
    HWND settings = Control(home, IdSettings);
    for (bool mode : {false, true, false}) {
        SCOPED_TRACE(mode ? "high contrast" : "dark");
        g_highContrast = mode;
        SendMessageW(home, WM_SYSCOLORCHANGE, 0, 0);
        const Scheme scheme = SchemeFor(mode, ReadSystemColours());
        const ButtonColours accent = ThemedButtonColours(scheme, ReadSystemColours(), true, false);
        const ButtonColours plain = ThemedButtonColours(scheme, ReadSystemColours(), false, false);
        EXPECT_TRUE(PumpUntil([&] { return LooksAs(play, accent) && LooksAs(settings, plain); }))
            << "Play: " << Describe(LookOf(play)) << "; Settings: " << Describe(LookOf(settings));
        if (mode)
            SavePicture(home, L"home-high-contrast");
    }
    DestroyWindow(home);
}

TEST_F(HighContrast, TheSetupWindowsCheckLinesTakeTheModesColours)
{
    HWND setup = CreateSetupWindow();
    ASSERT_NE(setup, nullptr);
    SetupSession& session = SessionOf(setup);
    for (bool mode : {false, true}) {
        SCOPED_TRACE(mode ? "high contrast" : "dark");
        g_highContrast = mode;
        const StatusColours colours = StatusColoursFor(mode, ReadSystemColours());
        session.source.verdict = CheckVerdict::Checking;
        session.dlc.verdict = CheckVerdict::Failed;
        EXPECT_EQ(AnswerFor(setup, WM_CTLCOLORSTATIC, Control(setup, IdSourceStatus)).text,
                  colours.pending);
        EXPECT_EQ(AnswerFor(setup, WM_CTLCOLORSTATIC, Control(setup, IdDlcStatus)).text,
                  colours.failed);
        if (mode) {
            SetWindowTextW(Control(setup, IdSourceStatus), L"Checking...");
            SetWindowTextW(Control(setup, IdDlcStatus), L"A DLC folder is missing");
            ShowWindow(setup, SW_SHOW);
            SendMessageW(setup, WM_SYSCOLORCHANGE, 0, 0);
            EXPECT_TRUE(PumpUntil([] { return !GetQueueStatus(QS_PAINT); }));
            SavePicture(setup, L"setup-high-contrast");
        }
    }
    DestroyWindow(setup);
}

} // namespace
