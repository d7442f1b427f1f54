// The three windows at the display's scale: each lies inside the work area
// and every static, push button and tick shows its whole text. ./test runs
// this at 96 DPI with the others, then again with Wine's display scale set
// to 120, 144, 168 and 192 DPI on a 1920 x 1080 screen (it names the scale
// in VANTAROO_DISPLAY_DPI), where the setup window is too high for 175 % and
// is built at a smaller scale. The text is measured here, in a DPI-aware
// process of our own, in the font each control draws with at the scale its
// window was laid out at (the window's property kDpiProperty); with
// VANTAROO_SCREENSHOT_DIR set, each window is also saved as a picture.
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "base/names.h"
#include "driver.h"
#include "release.h"

namespace {

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The system message font at a scale: as the system gives it at its own
// scale, and from SystemParametersInfoForDpi at another.
LOGFONTW MessageFont(int dpi)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (dpi == ScreenDpi())
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    else
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                   static_cast<UINT>(dpi));
    return metrics.lfMessageFont;
}

// The scale the launcher laid the window out at.
int WindowDpi(HWND window)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(window, kDpiProperty)));
}

// The size DrawTextW gives the text in the font, within the width when the
// text may wrap.
SIZE TextSize(const LOGFONTW& logFont, const std::wstring& text, UINT format, int width)
{
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(screen, font);
    RECT rect = {0, 0, width, 0};
    DrawTextW(screen, text.c_str(), -1, &rect, format | DT_CALCRECT);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

struct Measured {
    std::wstring window;
    std::wstring text;
    SIZE needed;
    SIZE room;
};

std::wstring Describe(const Measured& m)
{
    return m.window + L" \"" + m.text + L"\": needs " + std::to_wstring(m.needed.cx) + L" x "
        + std::to_wstring(m.needed.cy) + L", has " + std::to_wstring(m.room.cx) + L" x "
        + std::to_wstring(m.room.cy);
}

class TextFit {
public:
    explicit TextFit(int screenDpi) : screenDpi_(screenDpi) {}

    // Checks every child of the window that shows a text of its own, in the
    // fonts of the window's scale.
    void CheckChildren(HWND window)
    {
        dpi_ = WindowDpi(window);
        message_ = MessageFont(dpi_);
        button_ = message_;
        button_.lfHeight = MulDiv(-17, dpi_, 96);
        button_.lfWeight = FW_SEMIBOLD;
        for (HWND child : driver::Children(window))
            CheckControl(driver::Text(window), child);
    }

    const std::vector<Measured>& Misfits() const { return misfits_; }
    size_t Checked() const { return checked_; }

private:
    int Scaled(int length) const { return MulDiv(length, dpi_, 96); }

    void Expect(const std::wstring& window, const std::wstring& text, SIZE needed, SIZE room)
    {
        ++checked_;
        if (needed.cx > room.cx || needed.cy > room.cy)
            misfits_.push_back({window, text, needed, room});
    }

    void CheckControl(const std::wstring& window, HWND control)
    {
        const std::wstring text = driver::Text(control);
        const std::wstring kind = driver::ClassName(control);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const SIZE client = driver::ClientSize(control);
        if (text.empty())
            return;
        if (kind == L"Static") {
            if (style & SS_CENTERIMAGE) // one line, centred vertically
                Expect(window, text, TextSize(message_, text, DT_SINGLELINE, 0), client);
            else
                Expect(window, text, TextSize(message_, text, DT_WORDBREAK, client.cx), client);
            return;
        }
        if (kind != L"Button")
            return;
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW) {
            // Painted single-line in the button font, within the focus rectangle.
            const int inset = Scaled(4);
            Expect(window, text, TextSize(button_, text, DT_SINGLELINE, 0),
                   {client.cx - 2 * inset, client.cy - 2 * inset});
        } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
            // Inside the button's frame and a small margin.
            const int margin = 4;
            Expect(window, text, TextSize(message_, text, DT_SINGLELINE, 0),
                   {client.cx - 2 * margin, client.cy - 2 * margin});
        } else if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) {
            // The box and the gap after it, as wide as the box is high. The
            // system may draw the box at the monitor's scale, which is never
            // less than the window's.
            const int box = MulDiv(13, screenDpi_, 96) + MulDiv(6, screenDpi_, 96);
            const SIZE room = {client.cx - box, client.cy};
            if (style & BS_MULTILINE)
                Expect(window, text, TextSize(message_, text, DT_WORDBREAK, room.cx), room);
            else
                Expect(window, text, TextSize(message_, text, DT_SINGLELINE, 0), room);
        }
    }

    int screenDpi_;
    int dpi_ = 96;
    LOGFONTW message_;
    LOGFONTW button_;
    std::vector<Measured> misfits_;
    size_t checked_ = 0;
};

void SaveImage(HWND window, const wchar_t* name, int dpi)
{
    const std::wstring folder = EnvironmentText(L"VANTAROO_SCREENSHOT_DIR");
    if (folder.empty())
        return;
    CreateDirectoryW(folder.c_str(), nullptr);
    // Every control has finished painting once the picture stops changing.
    EXPECT_TRUE(driver::WaitUntil(
        [&] {
            const std::vector<COLORREF> before = driver::ScreenPixels(window);
            return driver::StaysTrueFor(200, [&] { return driver::ScreenPixels(window) == before; });
        },
        10000))
        << "the picture of " << testing::PrintToString(std::wstring(name)) << " kept changing";
    const std::wstring path = folder + L"\\" + name + L"-" + std::to_wstring(dpi) + L".bmp";
    EXPECT_TRUE(driver::SaveScreenImage(window, path)) << path;
}

// The window's scale, and the window wholly inside its monitor's work area.
void ExpectOnScreen(HWND window, int screenDpi)
{
    const int dpi = WindowDpi(window);
    EXPECT_GE(dpi, 72) << driver::Text(window) << " has no scale of its own";
    EXPECT_LE(dpi, screenDpi) << driver::Text(window);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_TRUE(rect.left >= area.left && rect.top >= area.top && rect.right <= area.right
                && rect.bottom <= area.bottom)
        << driver::Text(window) << " at " << rect.left << "," << rect.top << " - " << rect.right
        << "," << rect.bottom << " leaves the work area " << area.right << " x " << area.bottom;
    std::wcout << driver::Text(window) << L": laid out at " << dpi << L" DPI, " << rect.right - rect.left
               << L" x " << rect.bottom - rect.top << L" at " << rect.left << L"," << rect.top
               << std::endl;
}

TEST(DisplayScale, EveryWindowFitsTheScreenAndEveryTextItsControl)
{
    SetProcessDPIAware();
    const int dpi = ScreenDpi();
    const std::wstring expected = EnvironmentText(L"VANTAROO_DISPLAY_DPI");
    if (!expected.empty()) {
        ASSERT_EQ(dpi, std::stoi(expected)) << "the display scale did not take effect";
    }
    TextFit fit(dpi);

    Release release;
    release.InstallGame(release.DefaultInstallFolder());
    Launched home = release.Start();
    HWND homeWindow = driver::WaitForTopWindow(home.processId, kHomeClassName);
    ASSERT_NE(homeWindow, nullptr);
    ExpectOnScreen(homeWindow, dpi);
    fit.CheckChildren(homeWindow);
    SaveImage(homeWindow, L"home", dpi);
    driver::ClickId(homeWindow, IdSettings);
    HWND settings = driver::WaitForTopWindow(home.processId, kSettingsClassName);
    ASSERT_NE(settings, nullptr);
    ExpectOnScreen(settings, dpi);
    fit.CheckChildren(settings);
    SaveImage(settings, L"settings", dpi);
    driver::ClickId(settings, IdCancel);
    ASSERT_TRUE(driver::WaitUntil([&] { return !IsWindow(settings); }));
    PostMessageW(homeWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(release.WaitForExit(home), 0u);

    Launched setup = release.Start(L"--setup");
    HWND setupWindow = driver::WaitForTopWindow(setup.processId, kSetupClassName);
    ASSERT_NE(setupWindow, nullptr);
    ExpectOnScreen(setupWindow, dpi);
    fit.CheckChildren(setupWindow);
    SaveImage(setupWindow, L"setup", dpi);
    PostMessageW(setupWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(release.WaitForExit(setup), 0u);

    EXPECT_GE(fit.Checked(), 20u) << "too few controls were measured";
    for (const Measured& misfit : fit.Misfits())
        ADD_FAILURE() << "cut off at " << dpi << " DPI: " << Describe(misfit);
}

} // namespace
