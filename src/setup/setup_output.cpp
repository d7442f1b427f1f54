// The tool's output in the setup window. Progress and result lines take
// effect one by one; log lines are gathered from every WM_SETUP_OUTPUT
// already waiting and appended in one go, because each append to an edit
// control costs about as much for one line as for fifty.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/launcher_state.h"
#include "setup/log_bound.h"
#include "setup/setup_controls.h"
#include "setup/setup_tool_runner.h"
#include "setup/tool_output.h"

namespace {

// How long one WM_SETUP_OUTPUT may go on taking further waiting lines before
// the log is brought up to date, so the window stays responsive.
constexpr ULONGLONG kGatherBudgetMs = 40;

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
void TakeLine(LPARAM lParam, std::wstring& logText)
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
        logText += *line;
        logText += L"\r\n";
        // Text the bound would drop at once is never shown: shed it early.
        if (logText.size() > 2 * kLogLowMark)
            logText = VisibleTail(logText);
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

// Appends text at the end of the log, dropping its oldest lines first when
// the bound asks for it. Drawing is suspended meanwhile and the log is
// repainted at once afterwards: a stream of posted messages would otherwise
// keep WM_PAINT from ever coming.
void AppendToLog(const std::wstring& text)
{
    const HWND log = g_state.logEdit;
    const std::wstring shown = VisibleTail(text);
    SendMessageW(log, WM_SETREDRAW, FALSE, 0);
    int length = GetWindowTextLengthW(log);
    if (LogNeedsTrim(static_cast<size_t>(length), shown.size())) {
        const std::wstring current = LogText(log, length);
        const size_t drop = LogDropCount(current, shown.size());
        SendMessageW(log, EM_SETSEL, 0, static_cast<LPARAM>(drop));
        SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        length = static_cast<int>(current.size() - drop);
    }
    SendMessageW(log, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(shown.c_str()));
    SendMessageW(log, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(log, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

} // namespace

void PrepareLog(HWND logEdit)
{
    // The bound keeps the log far below this; the default limit (about
    // 30,000 characters) would silently cut off the newest lines.
    SendMessageW(logEdit, EM_SETLIMITTEXT, 4 * kLogHighMark, 0);
}

void HandleToolOutput(LPARAM line)
{
    std::wstring logText;
    TakeLine(line, logText);
    const ULONGLONG start = GetTickCount64();
    MSG waiting;
    while (GetTickCount64() - start < kGatherBudgetMs
           && PeekMessageW(&waiting, g_state.setupWindow, WM_SETUP_OUTPUT, WM_SETUP_OUTPUT,
                           PM_REMOVE))
        TakeLine(waiting.lParam, logText);
    if (!logText.empty())
        AppendToLog(logText);
    // The bar and the status line wait for paint messages just as the log does.
    RedrawWindow(g_state.setupWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
