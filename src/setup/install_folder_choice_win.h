// The install folder chosen with the Browse button.
#pragma once

#include <windows.h>

#include "setup/setup_session.h"

// The folder picker, then the install-folder rule; the result becomes the
// install folder and is shown. A cancelled picker changes nothing.
void ChooseInstallFolder(HWND window, SetupSession& session);
