// Placeholder until the settings window exists.
#include "settings/settings_window.h"

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

void OpenSettingsWindow()
{
}
