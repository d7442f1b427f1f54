// The setup tool's output in the setup window: a batch's progress and result
// lines take effect, its log lines go to the log. The log is kept as a bounded
// model of the newest lines; its edit control is brought up to date in steps
// of bounded cost, and the reader is let go for its next batch only after
// input and paint have had their turn.
#pragma once

#include <windows.h>

#include "setup/setup_session.h"

// The setup window's timer that paces the output (WM_TIMER with this ID).
inline constexpr UINT_PTR kOutputTimerId = 1;

// How the window paces the tool's output: the log control's last step, the
// last batch and whether more can come, and the batches taken but not yet
// let go, which the reader waits for.
struct OutputPacing {
    ULONGLONG lastStepMs = 0;
    ULONGLONG lastOutputMs = 0;
    bool outputEnded = false;
    HANDLE owedRelease = nullptr; // the reader's semaphore
    long owedCount = 0;
    bool timerRunning = false;
};

// The setup window's pacing record (the window owns it).
OutputPacing& PacingOf(HWND window);

// Raises the log's text limit and starts an empty log.
void PrepareLog(HWND window, SetupSession& session);

// Empties the log, the model and the control alike.
void EmptyLog(HWND window, SetupSession& session);

// One WM_SETUP_OUTPUT: applies the batch (lParam, owned from now on) and
// lets the reader go on (wParam, its semaphore) once input and paint have
// had their turn.
void HandleToolOutput(HWND window, SetupSession& session, WPARAM taken, LPARAM batch);

// Lets the reader go on, for the batches the window took while input or
// paint waited. The setup loop calls it when nothing waits in the thread's
// queue; the pacing timer does too, for the loops of modal dialogs.
void ReleaseOwedOutput(HWND window);

// The pacing timer: lets the reader go on once input and paint have had
// their turn, and brings the log up to date while the output pauses.
void OnOutputTimer(HWND window, SetupSession& session);

// Called as a run ends (its lines have all been taken): the log takes a step
// towards the model at once, and the timer takes the rest.
void FinishToolOutput(HWND window, SetupSession& session);

// Frees the batches still queued for a window that is going: no one else
// will take them.
void DropQueuedOutput(HWND window);
