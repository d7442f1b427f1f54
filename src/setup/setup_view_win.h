// What the setup rules return, applied to the setup window's controls.
#pragma once

#include <windows.h>

#include "setup/setup_rules.h"
#include "setup/setup_session.h"

// The three status lines as live regions, which a screen reader reads out
// as they change; the marks go before the controls do.
void MarkStatusLinesLive(HWND window);
void UnmarkStatusLines(HWND window);

// Sets the line's text, announced when it changed; a change of line None
// does nothing.
void ApplyStatusChange(HWND window, StatusChange change);

// Enables the choice buttons and the Install/Play button, and labels it, as
// ViewOf says. The focus leaves a button before it is disabled.
void ApplySetupView(HWND window, const SetupSession& session);
