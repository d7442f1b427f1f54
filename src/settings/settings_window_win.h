// The settings window: a popup owned by the home window, which stays
// disabled while it is open.
#pragma once

#include <span>

#include "theme/window_builder_win.h"

// Registers the class "qarnsettings"; the dark theme must exist.
void RegisterSettingsWindowClass();

// Creates, fills and shows the settings window over the home window and
// disables the home window. Called only while no settings window is open.
void OpenSettingsWindow();

// The settings window's controls, rows then footer, as its layout builds
// them at any scale.
std::span<const ControlDef> SettingsControlTable();
