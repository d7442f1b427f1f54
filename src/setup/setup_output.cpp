// The tool's output in the setup window. Progress and result lines take
// effect one by one; log lines are gathered from every WM_SETUP_OUTPUT
// already waiting and appended in one go, because each append to an edit
// control costs about as much for one line as for fifty.
#include "setup/setup_output.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "base/launcher_state.h"
#include "setup/log_bound.h"
#include "setup/setup_messages.h"
#include "setup/tool_output.h"

namespace {

// How long one WM_SETUP_OUTPUT may go on taking further waiting lines, so
// that input, paint and sent messages get their turn.
constexpr ULONGLONG kGatherBudgetMs = 40;
// While lines keep waiting, the log is brought up to date this often; as
// soon as none waits, at once.
constexpr ULONGLONG kAppendIntervalMs = 250;

// Log lines taken from their messages but not yet in the log.
PendingLog g_pendingLog;
ULONGLONG g_lastAppend = 0;

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

// Handles one line and frees it; a log line joins the pending log text.
void TakeLine(LPARAM lParam)
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
        AddLogLine(g_pendingLog, *line);
        break;
    }
}

std::wstring LogText(HWND log, int length)
{
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(log, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

// Appends the pending lines at the end of the log, dropping its oldest lines
// first when the bound asks for it. Drawing is suspended meanwhile and the
// log is repainted at once afterwards: a stream of posted messages would
// otherwise keep WM_PAINT from ever coming.
void AppendToLog(PendingLog& pending)
{
    const HWND log = g_state.logEdit;
    const std::wstring shown = TextToAppend(pending);
    SendMessageW(log, WM_SETREDRAW, FALSE, 0);
    int length = GetWindowTextLengthW(log);
    size_t drop = 0;
    if (pending.replacesLog)
        drop = static_cast<size_t>(length);
    else if (LogNeedsTrim(static_cast<size_t>(length), shown.size()))
        drop = LogDropCount(LogText(log, length), shown.size());
    if (drop > 0) {
        SendMessageW(log, EM_SETSEL, 0, static_cast<LPARAM>(drop));
        SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        length -= static_cast<int>(drop);
    }
    SendMessageW(log, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(shown.c_str()));
    SendMessageW(log, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(log, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
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
    // The bound keeps the log far below this; the default limit (about
    // 30,000 characters) would silently cut off the newest lines.
    SendMessageW(logEdit, EM_SETLIMITTEXT, 4 * kLogHighMark, 0);
}

void FlushToolOutput()
{
    if (!g_pendingLog.text.empty())
        AppendToLog(g_pendingLog);
    g_pendingLog = PendingLog();
    g_lastAppend = GetTickCount64();
}

void HandleToolOutput(LPARAM line)
{
    TakeLine(line);
    const ULONGLONG start = GetTickCount64();
    MSG waiting;
    while (GetTickCount64() - start < kGatherBudgetMs
           && PeekMessageW(&waiting, g_state.setupWindow, WM_SETUP_OUTPUT, WM_SETUP_OUTPUT,
                           PM_REMOVE))
        TakeLine(waiting.lParam);
    // A waiting line guarantees another call, which appends in its turn; so
    // nothing stays pending once the output pauses.
    if (!OutputWaiting() || GetTickCount64() - g_lastAppend >= kAppendIntervalMs)
        FlushToolOutput();
    // The bar and the status line wait for paint messages just as the log does.
    RedrawWindow(g_state.setupWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
