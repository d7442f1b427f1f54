// The settings window: a popup owned by the home window, which stays
// disabled while it is open.
#pragma once

#include <windows.h>

#include <span>

#include "theme/window_builder_win.h"

// Registers the class "qarnsettings"; the dark theme must exist.
void RegisterSettingsWindowClass();

// Creates, fills and shows the settings window over its owner (the home
// window) and disables the owner until it closes. Called only while no
// settings window is open.
void OpenSettingsWindow(HWND owner);

// The settings window's controls, rows then footer, as its layout builds
// them at any scale.
std::span<const ControlDef> SettingsControlTable();
