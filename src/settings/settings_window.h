#pragma once

#include <windows.h>

// Window procedure of the class "qarnsettings", registered on the home path.
LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates, fills and shows the settings window over the home window and
// disables the home window. Called only while no settings window is open.
void OpenSettingsWindow();
