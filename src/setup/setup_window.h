#pragma once

// The setup window's creation sequence (DPI awareness, COM, common controls,
// message font, class, window, controls); false when the window cannot be
// created.
bool CreateSetupWindow();

// Begins the rebuild run of an update before the window is shown.
void BeginUpdateRun();

// The setup message loop; returns when the setup window is destroyed.
void RunSetupLoop();
