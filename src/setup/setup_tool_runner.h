// Runs the setup tool: starts it through the release's interpreter in a
// background thread and relays its output lines and its end to the setup
// window as two private messages.
#pragma once

#include <windows.h>

#include <string>

// lParam: a new std::wstring* holding one output line without its line end;
// the window owns it from then on and deletes it. wParam 0.
inline constexpr UINT WM_SETUP_OUTPUT = WM_APP + 1;
// wParam: the tool's exit code (1 when it could not be started); lParam:
// nonzero when the tool was started. Posted once per run, after every line.
inline constexpr UINT WM_SETUP_EXIT = WM_APP + 2;

// Starts one run of the tool with the job's arguments (already quoted):
// stores the phase, disables every control that could start another run and
// starts the reader thread. A run whose thread cannot be created ends at
// once as a tool that could not be started.
void StartSetupTool(int phase, const std::wstring& arguments);

// The reader thread of one run; parameter is a new std::wstring* holding the
// command line, which the thread owns and frees.
DWORD WINAPI SetupToolReader(LPVOID parameter);
