// The setup window: where a release becomes an installed game.
#pragma once

#include <windows.h>

#include <span>

#include "setup/setup_session.h"
#include "theme/window_builder_win.h"

// Creates the setup window with its controls and its session (the class
// first); null when the window cannot be created. The process must be
// prepared for windows (DPI awareness, COM, common controls).
HWND CreateSetupWindow();

// The session the setup window owns for as long as it exists.
SetupSession& SessionOf(HWND setupWindow);

// The setup window's controls, as its layout builds them at any scale.
std::span<const ControlDef> SetupControlTable();

// The setup message loop; returns when the setup window is destroyed.
void RunSetupLoop(HWND setupWindow);
