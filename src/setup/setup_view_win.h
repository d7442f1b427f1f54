// What the setup rules return, applied to the setup window's controls.
#pragma once

#include <windows.h>

#include "setup/setup_rules.h"
#include "setup/setup_session.h"

// The control of a status line; null for StatusLine::None.
HWND StatusControl(HWND window, StatusLine line);

// Sets the line's text; a change of line None does nothing.
void ApplyStatusChange(HWND window, StatusChange change);

// Enables the choice buttons and the Install/Play button, and labels it, as
// ViewOf says. The focus leaves a button before it is disabled.
void ApplySetupView(HWND window, const SetupSession& session);
