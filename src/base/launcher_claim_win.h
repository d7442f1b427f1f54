// One launcher window per release folder. A launcher that is about to show a
// window claims its folder; while another launcher of the same folder holds
// the claim, that launcher's window is brought to the front instead.
#pragma once

// Claims g_state.launcherFolder for this process. False when another
// launcher of the same folder holds it and its window was brought to the
// front: this launcher then shows nothing. True when this launcher may show
// its window (also when the claim cannot be made or the other launcher shows
// no window of ours within a short wait, so that a start is never lost).
bool ClaimLauncherWindow();

// Gives the claim up before the process ends, so that a launcher started by
// this one can claim the folder while this one's window is still closing.
void GiveUpLauncherClaim();
