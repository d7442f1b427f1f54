#pragma once

// Saves "Vantaroo.lnk" on the user's desktop, pointing at qarn.exe in the
// install folder. Needs COM initialised on this thread; reports nothing.
void CreateDesktopShortcut();
