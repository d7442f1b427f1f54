// The two private messages by which a run of the setup tool reaches the setup
// window. They are the only link between the reader thread and the window.
#pragma once

#include <windows.h>

// lParam: a new OutputBatch* (output_batcher.h), what a batch of output lines
// does; the window owns it from then on and deletes it. wParam: the reader's
// semaphore, which the window releases once it has taken the batch (see
// tool_reader_win.h).
inline constexpr UINT WM_SETUP_OUTPUT = WM_APP + 1;
// wParam: the tool's exit code (1 when it could not be started); lParam:
// nonzero when the tool was started. Posted once per run, after every line.
inline constexpr UINT WM_SETUP_EXIT = WM_APP + 2;
