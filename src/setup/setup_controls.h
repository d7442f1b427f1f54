// The setup window's procedures shared by its files: the enabling of the
// buttons, the end of a tool run and the handling of output lines.
#pragma once

#include <windows.h>

// Enables the choice buttons and the main button, and labels the main
// button, from the phase and the verdicts.
void SetMainButtonState();

// The end of a tool run (WM_SETUP_EXIT): back to idle, the run's verdict,
// the status lines repainted and the buttons brought up to date.
void EndToolRun(DWORD exitCode, bool started);

// One WM_SETUP_OUTPUT (lParam: the line, owned from now on) together with
// every further WM_SETUP_OUTPUT already waiting, each line in order.
void HandleToolOutput(LPARAM line);

// Appends the log lines still gathered; called before a run's end is handled.
void FlushToolOutput();

// Raises the log's text limit; the log is kept bounded instead.
void PrepareLog(HWND logEdit);
