// Starting a run of the setup tool from the setup window, and the enabling of
// the window's buttons that keeps to one run at a time.
#pragma once

#include <windows.h>

#include <string>

#include "setup/setup_session.h"

// Enables the choice buttons and the main button, and labels the main
// button, from the phase and the verdicts. The focus leaves a button before
// it is disabled.
void SetMainButtonState(HWND window, const SetupSession& session);

// Starts one run of the tool with the job's arguments (already quoted):
// stores the phase, disables every control that could start another run and
// starts the reader. A run whose reader cannot be started ends as a tool that
// could not be started: its WM_SETUP_EXIT comes all the same.
void StartSetupTool(HWND window, SetupSession& session, SetupPhase phase,
                    const std::wstring& arguments);
