// The settings window: a popup owned by the home window, which stays
// disabled while it is open.
#pragma once

// Registers the class "qarnsettings"; the dark theme must exist.
void RegisterSettingsWindowClass();

// Creates, fills and shows the settings window over the home window and
// disables the home window. Called only while no settings window is open.
void OpenSettingsWindow();
