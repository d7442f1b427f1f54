#include "setup/setup_output_win.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "base/names.h"
#include "setup/log_model.h"
#include "setup/log_pace.h"
#include "setup/setup_messages_win.h"
#include "setup/setup_rules.h"
#include "setup/setup_view_win.h"
#include "setup/output_batcher.h"
#include "theme/window_builder_win.h"

namespace {

// The timer's pace: it lets the reader go and takes the log's steps (see
// log_pace.h for when).
constexpr UINT kTimerMs = USER_TIMER_MINIMUM;

void ApplyResult(HWND window, SetupSession& session, const ResultVerdict& result)
{
    // The verdict first, so the repaint the new text causes has the new colour.
    ApplyStatusChange(window, {TakeResultLine(session, result.ok), result.text.c_str()});
}

// A batch's lines all come from one run, so they meet one phase: every
// result line sets the same check's verdict and text, and the last one
// decides. Likewise the bar and the status line end at the batch's last
// progress value and text.
void ApplyBatch(HWND window, SetupSession& session, OutputBatch& batch)
{
    if (batch.hasProgress) {
        // The value goes to the bar as read, even outside 0..100.
        SendMessageW(Control(window, IdProgress), PBM_SETPOS,
                     static_cast<WPARAM>(static_cast<INT_PTR>(batch.progress)), 0);
    }
    if (batch.hasStatusText)
        ApplyStatusChange(window, {StatusLine::Main, batch.statusText.c_str()});
    if (!batch.results.empty())
        ApplyResult(window, session, batch.results.back());
    if (batch.logLinesSkipped > 0)
        SkipLogLines(session.log, batch.logLinesSkipped);
    for (std::wstring& line : batch.logLines)
        AddLogLine(session.log, std::move(line));
}

void StartTimer(HWND window, OutputPacing& pacing)
{
    if (pacing.timerRunning)
        return;
    SetTimer(window, kOutputTimerId, kTimerMs, nullptr);
    pacing.timerRunning = true;
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
// the batch is let go only once nothing waits (ReleaseOwedOutput, from the
// setup loop) or from the timer, which comes after both.
void ReleaseBatch(HWND window, OutputPacing& pacing, HANDLE taken)
{
    if (!Waiting(QS_INPUT | QS_PAINT)) {
        ReleaseSemaphore(taken, 1, nullptr);
        return;
    }
    pacing.owedRelease = taken;
    ++pacing.owedCount;
    StartTimer(window, pacing);
}

bool StepDue(const OutputPacing& pacing)
{
    return LogStepDue(
        {GetTickCount64(), pacing.lastStepMs, pacing.lastOutputMs, pacing.outputEnded});
}

struct ScrollBarState {
    int min, max, page, position;

    bool operator==(const ScrollBarState&) const = default;
};

ScrollBarState VerticalScrollBar(HWND control)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(control, SB_VERT, &info);
    return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

// One step of the log control towards the model; the caret ends behind the
// newest line, which keeps it in view. Drawing is suspended meanwhile by
// taking WS_VISIBLE off the control's style, which is what WM_SETREDRAW does
// on Windows: under Wine WM_SETREDRAW leaves the style, and the edit control
// then draws its scroll bar at every change, some 4 ms each time.
void StepLog(HWND window, SetupSession& session)
{
    PacingOf(window).lastStepMs = GetTickCount64();
    const LogStep step = NextLogStep(session.log, session.logView);
    if (!step.clear && step.dropChars == 0 && step.prepend.empty() && step.append.empty())
        return;
    const HWND log = Control(window, IdLog);
    // With no paint pending, the scroll bar on the screen shows this state.
    const bool drawn = !GetUpdateRect(log, nullptr, FALSE);
    const ScrollBarState before = VerticalScrollBar(log);
    const LONG_PTR style = GetWindowLongPtrW(log, GWL_STYLE);
    SetWindowLongPtrW(log, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
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
    SetWindowLongPtrW(log, GWL_STYLE, style);
    // The control's changes mark its frame for drawing too, and under Wine
    // the scroll bar costs some 6 ms to draw, most of the paint. While output
    // floods the log, every step starts again from as many newest lines as
    // the last and leaves the scroll bar as it is drawn: only the text is
    // drawn again then.
    UINT frame = RDW_FRAME;
    if (drawn && VerticalScrollBar(log) == before) {
        RedrawWindow(log, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME);
        frame = 0;
    }
    RedrawWindow(log, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | frame);
}

} // namespace

void PrepareLog(HWND window, SetupSession& session)
{
    // The model keeps the log far below this; the default limit (about
    // 30,000 characters) would silently cut off the newest lines.
    SendMessageW(Control(window, IdLog), EM_SETLIMITTEXT, 4 * kLogHighMark, 0);
    ClearLog(session.log, session.logView);
}

void EmptyLog(HWND window, SetupSession& session)
{
    ClearLog(session.log, session.logView);
    SetWindowTextW(Control(window, IdLog), L"");
}

void HandleToolOutput(HWND window, SetupSession& session, WPARAM taken, LPARAM batch)
{
    std::unique_ptr<OutputBatch> owned(reinterpret_cast<OutputBatch*>(batch));
    ApplyBatch(window, session, *owned);
    OutputPacing& pacing = PacingOf(window);
    pacing.lastOutputMs = GetTickCount64();
    pacing.outputEnded = false;
    ReleaseBatch(window, pacing, reinterpret_cast<HANDLE>(taken));
    // The log's step waits while input does: the timer comes after it.
    if (!ViewIsCurrent(session.log, session.logView)) {
        if (StepDue(pacing) && !InputWaiting())
            StepLog(window, session);
        StartTimer(window, pacing);
    }
}

void ReleaseOwedOutput(HWND window)
{
    OutputPacing& pacing = PacingOf(window);
    if (!pacing.owedRelease)
        return;
    ReleaseSemaphore(pacing.owedRelease, pacing.owedCount, nullptr);
    pacing.owedRelease = nullptr;
    pacing.owedCount = 0;
}

void OnOutputTimer(HWND window, SetupSession& session)
{
    ReleaseOwedOutput(window);
    OutputPacing& pacing = PacingOf(window);
    if (!ViewIsCurrent(session.log, session.logView) && StepDue(pacing))
        StepLog(window, session);
    if (!pacing.owedRelease && ViewIsCurrent(session.log, session.logView)) {
        KillTimer(window, kOutputTimerId);
        pacing.timerRunning = false;
    }
}

void DropQueuedOutput(HWND window)
{
    MSG message;
    while (PeekMessageW(&message, window, WM_SETUP_OUTPUT, WM_SETUP_OUTPUT, PM_REMOVE)) {
        // The loop's end, posted as the window was destroyed, belongs to the
        // loop: it is posted again.
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        delete reinterpret_cast<OutputBatch*>(message.lParam);
    }
}

void FinishToolOutput(HWND window, SetupSession& session)
{
    OutputPacing& pacing = PacingOf(window);
    pacing.outputEnded = true;
    if (!ViewIsCurrent(session.log, session.logView)) {
        StepLog(window, session);
        StartTimer(window, pacing);
    }
}
