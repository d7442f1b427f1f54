#pragma once

enum HomeOutcome {
    HomeEnded,          // the window closed, or the game started after Play
    HomeGameNotStarted, // Play was chosen but the game could not be started
    HomeWindowFailed,   // the window could not be created
};

// DPI awareness, the dark theme, the two dark classes, then the home window
// and its message loop; Play starts the game after the loop has ended.
HomeOutcome RunHomePath(int showCommand);
