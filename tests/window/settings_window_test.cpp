// Closing the settings window, whichever way, enables the home window while
// the settings window is still on screen, so that activation goes back to
// the home window and not to another program's.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "base/launcher_state_win.h"
#include "base/names.h"
#include "settings/settings_window_win.h"
#include "theme/theme_win.h"

namespace {

std::vector<std::string> g_events;

// Stands in for the home window: records when it is enabled again, and
// whether the settings window was still showing then.
LRESULT CALLBACK HomeStandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENABLE && wParam)
        g_events.push_back(IsWindowVisible(g_state.settingsWindow) ? "enabled, settings showing"
                                                                   : "enabled, settings hidden");
    return DefWindowProcW(window, message, wParam, lParam);
}

class SettingsWindowClose : public testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"vantaroo window test " + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        g_state.installFolder = folder_;
        CreateDarkTheme();
        RegisterSettingsWindowClass();
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = HomeStandInProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"home stand-in";
        RegisterClassW(&windowClass);
        g_state.homeWindow = CreateWindowExW(0, L"home stand-in", L"home", WS_OVERLAPPEDWINDOW,
                                             40, 40, 520, 300, nullptr, nullptr,
                                             GetModuleHandleW(nullptr), nullptr);
        ShowWindow(g_state.homeWindow, SW_SHOW);
    }

    void TearDown() override
    {
        DestroyWindow(g_state.homeWindow);
        g_state.homeWindow = nullptr;
        DeleteFileW((folder_ + L"\\qarn.ini").c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    std::wstring folder_;
};

TEST_F(SettingsWindowClose, EveryWayEnablesTheHomeWindowFirst)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
    } cases[] = {
        {"Save", WM_COMMAND, IdSave},
        {"Cancel", WM_COMMAND, IdCancel},
        {"close box or Alt+F4", WM_CLOSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenSettingsWindow(g_state.homeWindow);
        HWND settings = g_state.settingsWindow;
        ASSERT_NE(settings, nullptr);
        EXPECT_FALSE(IsWindowEnabled(g_state.homeWindow));
        g_events.clear();

        SendMessageW(settings, c.message, c.wParam, 0);
        EXPECT_FALSE(IsWindow(settings));
        EXPECT_EQ(g_state.settingsWindow, nullptr);
        EXPECT_TRUE(IsWindowEnabled(g_state.homeWindow));
        EXPECT_EQ(g_events, std::vector<std::string>{"enabled, settings showing"});
    }
}

} // namespace
