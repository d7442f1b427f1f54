// The installation run, the update run, the finish of both, and Play once
// the game is installed.
#pragma once

#include <windows.h>

#include "setup/setup_session.h"

// Builds the install arguments from the choices, resets the bar, empties the
// log and starts the tool.
void StartInstall(HWND window, SetupSession& session);

// The rebuild run of an update, begun before the window is shown.
void StartUpdateRun(HWND window, SetupSession& session);

// The finish of an installation or update run that built the game: the
// record of the install folder, the status that says whether it was written,
// and the desktop shortcut when it is ticked.
void FinishInstall(HWND window, SetupSession& session);

// The finish of a run whose install folder could not be recorded: the status
// line says so in a sentence that fits it at any scale, and the system's
// reason for the error ends the log, where it can be read whole.
void ShowInstallFolderNotRecorded(HWND window, SetupSession& session, DWORD error);

// Starts the installed game; on success the setup window closes.
void PlayInstalledGame(HWND window);
