// Starting a run of the setup tool from the setup window.
#pragma once

#include <windows.h>

#include <string>

#include "setup/setup_session.h"

// Starts one run of the tool with the job's arguments (already quoted):
// stores the phase, disables every control that could start another run and
// starts the reader. A run whose reader cannot be started ends as a tool that
// could not be started: its WM_SETUP_EXIT comes all the same.
void StartSetupTool(HWND window, SetupSession& session, SetupPhase phase,
                    const std::wstring& arguments);
