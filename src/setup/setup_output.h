// The setup tool's output in the setup window: progress and result lines take
// effect, every other line goes to the log.
#pragma once

#include <windows.h>

// Raises the log's text limit; the log is kept bounded instead.
void PrepareLog(HWND logEdit);

// One WM_SETUP_OUTPUT (lParam: the line, owned from now on) together with
// every further WM_SETUP_OUTPUT already waiting, each line in order.
void HandleToolOutput(LPARAM line);

// Appends the log lines still gathered; called before a run's end is handled.
void FlushToolOutput();
