// A fixture for tests that build the launcher's three windows in this
// process: a temporary folder as both the launcher and the install folder,
// the common controls, the dark theme and the two dark window classes.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/launcher_state_win.h"
#include "home/home_window_win.h"
#include "settings/settings_window_win.h"
#include "theme/theme_win.h"

class LauncherWindows : public testing::Test {
protected:
    explicit LauncherWindows(const wchar_t* folderName) : folderName_(folderName) {}

    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + folderName_ + L" " + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        g_state.installFolder = folder_;
        g_state.launcherFolder = folder_;
        INITCOMMONCONTROLSEX commonControls = {sizeof(commonControls), ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&commonControls);
        CreateDarkTheme();
        RegisterHomeWindowClass();
        RegisterSettingsWindowClass();
    }

    void TearDown() override
    {
        // The home and setup windows end the message loop as they go.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        DeleteFileW((folder_ + L"\\qarn.ini").c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    std::wstring folder_;

private:
    const wchar_t* folderName_;
};
