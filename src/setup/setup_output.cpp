#include "setup/setup_output.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "base/launcher_state.h"
#include "setup/log_model.h"
#include "setup/setup_messages.h"
#include "setup/tool_output.h"

namespace {

// How long one WM_SETUP_OUTPUT may go on taking further waiting lines, so
// that input, paint and sent messages get their turn.
constexpr ULONGLONG kGatherBudgetMs = 40;
// How many lines are taken between two looks at the time and the input.
constexpr unsigned kInputCheckLines = 32;
// While output keeps coming, the log control takes a step this often; when
// it pauses, the timer takes steps until the control shows the whole model.
constexpr ULONGLONG kStepIntervalMs = 250;
constexpr UINT kTimerMs = USER_TIMER_MINIMUM;

LogModel g_log;
LogView g_view;
ULONGLONG g_lastStep = 0;
// Batches the window has taken but not yet let go, and the reader's
// semaphore for them: the reader waits until input and paint have had their
// turn.
HANDLE g_owedRelease = nullptr;
LONG g_owedCount = 0;
bool g_timerRunning = false;

void ApplyProgress(const ToolLine& line)
{
    // The value goes to the bar as read, even outside 0..100.
    SendMessageW(g_state.progressBar, PBM_SETPOS,
                 static_cast<WPARAM>(static_cast<INT_PTR>(line.progress)), 0);
    if (line.hasText)
        SetWindowTextW(g_state.mainStatus, line.text.c_str());
}

void ApplyResult(const ToolLine& line)
{
    // The flag first, so the repaint the new text causes has the new colour.
    if (g_state.setupPhase == PhaseCheckSource) {
        g_state.sourceAccepted = line.ok;
        SetWindowTextW(g_state.sourceStatus, line.text.c_str());
    } else if (g_state.setupPhase == PhaseCheckDlc) {
        g_state.dlcAccepted = line.ok;
        SetWindowTextW(g_state.dlcStatus, line.text.c_str());
    }
}

void StartTimer()
{
    if (g_timerRunning)
        return;
    SetTimer(g_state.setupWindow, kOutputTimerId, kTimerMs, nullptr);
    g_timerRunning = true;
}

// Whether messages of these kinds wait in this thread's queue.
bool Waiting(UINT kinds)
{
    return HIWORD(GetQueueStatus(kinds)) != 0;
}

bool InputWaiting()
{
    return Waiting(QS_INPUT);
}

// Input and paint wait while posted messages are queued, and once let go the
// reader posts its next batch at once: while any input or paint is waiting
// the batch is let go only from the timer, which comes after both.
void ReleaseBatch(HANDLE taken)
{
    if (!Waiting(QS_INPUT | QS_PAINT)) {
        ReleaseSemaphore(taken, 1, nullptr);
        return;
    }
    g_owedRelease = taken;
    ++g_owedCount;
    StartTimer();
}

// Handles one line and frees it.
void TakeLine(WPARAM batchEnd, LPARAM lParam)
{
    std::unique_ptr<std::wstring> line(reinterpret_cast<std::wstring*>(lParam));
    const ToolLine sorted = SortToolLine(*line);
    switch (sorted.kind) {
    case ProgressLine:
        ApplyProgress(sorted);
        break;
    case ResultLine:
        ApplyResult(sorted);
        break;
    case LogLine:
        AddLogLine(g_log, std::move(*line));
        break;
    }
    if (batchEnd)
        ReleaseBatch(reinterpret_cast<HANDLE>(batchEnd));
}

// One step of the log control towards the model, with drawing suspended
// meanwhile; the caret ends behind the newest line, which keeps it in view.
void StepLog()
{
    g_lastStep = GetTickCount64();
    const LogStep step = NextLogStep(g_log, g_view);
    if (!step.clear && step.dropChars == 0 && step.prepend.empty() && step.append.empty())
        return;
    const HWND log = g_state.logEdit;
    SendMessageW(log, WM_SETREDRAW, FALSE, 0);
    if (step.clear)
        SetWindowTextW(log, L"");
    if (step.dropChars > 0) {
        SendMessageW(log, EM_SETSEL, 0, static_cast<LPARAM>(step.dropChars));
        SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
    if (!step.prepend.empty()) {
        SendMessageW(log, EM_SETSEL, 0, 0);
        SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(step.prepend.c_str()));
    }
    if (!step.append.empty()) {
        const int length = GetWindowTextLengthW(log);
        SendMessageW(log, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
        SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(step.append.c_str()));
    }
    const int length = GetWindowTextLengthW(log);
    SendMessageW(log, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    SendMessageW(log, EM_SCROLLCARET, 0, 0);
    SendMessageW(log, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(log, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

bool OutputWaiting()
{
    MSG waiting;
    return PeekMessageW(&waiting, g_state.setupWindow, WM_SETUP_OUTPUT, WM_SETUP_OUTPUT,
                        PM_NOREMOVE)
        != FALSE;
}

} // namespace

void PrepareLog(HWND logEdit)
{
    // The model keeps the log far below this; the default limit (about
    // 30,000 characters) would silently cut off the newest lines.
    SendMessageW(logEdit, EM_SETLIMITTEXT, 4 * kLogHighMark, 0);
    ClearLog(g_log, g_view);
}

void EmptyLog()
{
    ClearLog(g_log, g_view);
    SetWindowTextW(g_state.logEdit, L"");
}

void HandleToolOutput(WPARAM batchEnd, LPARAM line)
{
    TakeLine(batchEnd, line);
    // Input that came meanwhile ends the gathering, and the log's step is
    // left to the timer, which comes after the input.
    const ULONGLONG start = GetTickCount64();
    MSG waiting;
    for (unsigned taken = 1;; ++taken) {
        // Asking for the input state costs a call to the system: not per line.
        if (taken % kInputCheckLines == 0
            && (GetTickCount64() - start >= kGatherBudgetMs || InputWaiting()))
            break;
        if (!PeekMessageW(&waiting, g_state.setupWindow, WM_SETUP_OUTPUT, WM_SETUP_OUTPUT,
                          PM_REMOVE))
            break;
        TakeLine(waiting.wParam, waiting.lParam);
    }
    if (!ViewIsCurrent(g_log, g_view)) {
        if (GetTickCount64() - g_lastStep >= kStepIntervalMs && !InputWaiting())
            StepLog();
        StartTimer();
    }
}

void OnOutputTimer()
{
    if (g_owedRelease) {
        // Output is flowing: the log keeps its pace.
        ReleaseSemaphore(g_owedRelease, g_owedCount, nullptr);
        g_owedRelease = nullptr;
        g_owedCount = 0;
        if (GetTickCount64() - g_lastStep >= kStepIntervalMs)
            StepLog();
    } else if (!OutputWaiting()) {
        // The output pauses: catch up.
        StepLog();
    }
    if (!g_owedRelease && ViewIsCurrent(g_log, g_view)) {
        KillTimer(g_state.setupWindow, kOutputTimerId);
        g_timerRunning = false;
    }
}

void FinishToolOutput()
{
    if (!ViewIsCurrent(g_log, g_view)) {
        StepLog();
        StartTimer();
    }
}
