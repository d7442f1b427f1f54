// The dark home window of an installed game and its message loop.
#pragma once

enum HomeOutcome {
    HomeEnded,          // the window closed, or the game started after Play
    HomeGameNotStarted, // Play was chosen but the game could not be started
    HomeWindowFailed,   // the window could not be created
};

// Registers the class "qarnhome"; the dark theme must exist.
void RegisterHomeWindowClass();

// Creates and shows the home window and runs its loop; Play starts the game
// once the loop has ended.
HomeOutcome RunHomeWindow(int showCommand);
