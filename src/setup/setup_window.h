// The setup window: where a release becomes an installed game.
#pragma once

// The setup window's creation sequence (DPI awareness, COM, common controls,
// message font, class, window, controls); false when the window cannot be
// created.
bool CreateSetupWindow();

// The setup message loop; returns when the setup window is destroyed.
void RunSetupLoop();
