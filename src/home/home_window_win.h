// The dark home window of an installed game and its message loop.
#pragma once

#include <windows.h>

#include <span>

#include "theme/window_builder_win.h"

enum HomeOutcome {
    HomeEnded,          // the window closed, or the game started after Play
    HomeGameNotStarted, // Play was chosen but the game could not be started
    HomeWindowFailed,   // the window could not be created
};

// Registers the class "qarnhome"; the dark theme must exist.
void RegisterHomeWindowClass();

// The home window's own state: whether Play ended it. It belongs to
// RunHomeWindow, which starts the game once the loop has ended.
struct HomeState {
    bool playRequested = false;
};

// Creates the home window with its controls, not yet shown; null when it
// cannot be created. The window keeps a reference to state.
HWND CreateHomeWindow(HomeState& state);

// The home window's controls, as its layout builds them at any scale.
std::span<const ControlDef> HomeControlTable();

// Creates and shows the home window and runs its loop; Play starts the game
// once the loop has ended.
HomeOutcome RunHomeWindow(int showCommand);
