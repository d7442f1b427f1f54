// The user's choice of the source (a disc image or an extracted disc folder)
// and its check by the setup tool.
#pragma once

#include <windows.h>

#include <string>

#include "setup/setup_session.h"

// Records the source, clears its verdict and starts its check.
void CheckSource(HWND window, SetupSession& session, const std::wstring& path);

// The two source buttons: the file-open dialog for a disc image, the folder
// picker for an extracted disc; a chosen path is checked at once.
void ChooseDiscImageSource(HWND window, SetupSession& session);
void ChooseFolderSource(HWND window, SetupSession& session);
