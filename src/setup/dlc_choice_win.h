// The list of downloadable-content folders and its check by the setup tool.
#pragma once

#include <windows.h>

#include "setup/setup_session.h"

// Shows the DLC folders and checks the whole list again (an empty list is
// acceptable without a run).
void RefreshDlcList(HWND window, SetupSession& session);
// The Add DLC folder and Clear list buttons.
void AddDlcFolder(HWND window, SetupSession& session);
void ClearDlcList(HWND window, SetupSession& session);
