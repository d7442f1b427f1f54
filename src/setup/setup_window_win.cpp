// The setup window: its class, its controls, its procedure and message loop,
// and the end of a tool run.
#include "setup/setup_window_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "base/folder_rules.h"
#include "base/folders_win.h"
#include "base/launcher_state_win.h"
#include "base/names.h"
#include "setup/setup_session.h"
#include "setup/dlc_choice_win.h"
#include "setup/install_folder_choice_win.h"
#include "setup/install_run_win.h"
#include "setup/setup_messages_win.h"
#include "setup/setup_output_win.h"
#include "setup/setup_rules.h"
#include "setup/setup_run_win.h"
#include "setup/setup_view_win.h"
#include "setup/source_choice_win.h"
#include "theme/focus_memory_win.h"
#include "theme/palette.h"
#include "theme/theme_win.h"
#include "theme/window_builder_win.h"

namespace {

// What the window owns: the session, and the pacing of the tool's output.
struct SetupWindowData {
    SetupSession session;
    OutputPacing pacing;
};

SetupWindowData& DataOf(HWND window)
{
    return *reinterpret_cast<SetupWindowData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr PixelSize kClientSize = {642, 630};

constexpr wchar_t kTermsAddress[] = L"https://developer.android.com/studio/terms";

// In creation order, which is also the Tab order. The main button comes last
// although it stands above the terms button, so it is the last Tab stop.
const ControlDef kControls[] = {
    {L"STATIC",
     L"This release contains no part of the game. It builds the game on this PC from your own copy.",
     0, 0, IdIntroText, {16, 14, 610, 20}, MessageFontRole},
    {L"STATIC", L"Your copy of the game (USA Xbox disc):", 0, 0, IdSourceLabel, {16, 44, 400, 20},
     MessageFontRole},
    {L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IdSourceEdit, {16, 66, 610, 24},
     MessageFontRole},
    {L"BUTTON", L"Choose disc image (.iso)...", WS_TABSTOP, 0, IdDiscImage, {16, 98, 200, 30},
     MessageFontRole},
    {L"BUTTON", L"Choose extracted folder...", WS_TABSTOP, 0, IdFolder, {226, 98, 200, 30},
     MessageFontRole},
    {L"STATIC", L"", 0, 0, IdSourceStatus, {16, 134, 610, 20}, MessageFontRole},
    {L"STATIC", L"Downloadable content folders (optional):", 0, 0, IdDlcLabel, {16, 164, 400, 20},
     MessageFontRole},
    {L"LISTBOX", L"", WS_VSCROLL | LBS_NOSEL, WS_EX_CLIENTEDGE, IdDlcList, {16, 186, 610, 62},
     MessageFontRole},
    {L"BUTTON", L"Add DLC folder...", WS_TABSTOP, 0, IdAddDlc, {16, 254, 200, 30},
     MessageFontRole},
    {L"BUTTON", L"Clear list", WS_TABSTOP, 0, IdClearList, {226, 254, 120, 30}, MessageFontRole},
    {L"STATIC", L"", 0, 0, IdDlcStatus, {16, 290, 610, 36}, MessageFontRole},
    {L"STATIC", L"Install to:", 0, 0, IdDestLabel, {16, 332, 400, 20}, MessageFontRole},
    {L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IdDestEdit, {16, 354, 480, 24},
     MessageFontRole},
    {L"BUTTON", L"Browse...", WS_TABSTOP, 0, IdBrowse, {506, 351, 120, 30}, MessageFontRole},
    {L"STATIC", L"", 0, 0, IdMainStatus, {16, 392, 610, 20}, MessageFontRole},
    {PROGRESS_CLASSW, L"", PBS_SMOOTH, 0, IdProgress, {16, 414, 610, 20}, MessageFontRole},
    {L"EDIT", L"", ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE, IdLog,
     {16, 442, 610, 84}, MessageFontRole},
    {L"BUTTON", L"Create a desktop shortcut", WS_TABSTOP | BS_AUTOCHECKBOX, 0, IdShortcutTick,
     {16, 542, 300, 22}, MessageFontRole},
    {L"BUTTON",
     L"Also build an Android app for my own device. Downloads Google's Android NDK (about 750 MB). "
     L"I accept Google's terms.",
     WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 0, IdAndroidTick, {16, 578, 470, 40}, MessageFontRole},
    {L"BUTTON", L"View Google's terms", WS_TABSTOP, 0, IdTerms, {506, 584, 120, 30},
     MessageFontRole},
    {L"BUTTON", L"Install", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IdInstallOrPlay, {506, 536, 120, 34},
     MessageFontRole},
};

void CreateSetupControls(HWND window, SetupSession& session)
{
    CreateControls(window, kControls);
    session.installFolder = g_state.installFolder;
    SetWindowTextW(Control(window, IdDestEdit), session.installFolder.c_str());
    SendMessageW(Control(window, IdProgress), PBM_SETRANGE32, 0, 100);
    SendMessageW(Control(window, IdShortcutTick), BM_SETCHECK, BST_CHECKED, 0);
    MarkStatusLinesLive(window);
    PrepareLog(window, session);
}

// The main button installs until a run has succeeded; then it plays.
void PressMainButton(HWND window, SetupSession& session)
{
    if (session.gameInstalled)
        PlayInstalledGame(window);
    else if (CanInstall(session))
        StartInstall(window, session);
}

void OpenTermsPage(HWND window, SetupSession&)
{
    ShellExecuteW(window, L"open", kTermsAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

struct CommandDef {
    int id;
    void (*handler)(HWND window, SetupSession& session);
    // Whether the command may act only while no run is under way. Its button
    // is disabled meanwhile, but a click may already be queued.
    bool onlyWhenIdle;
};

const CommandDef kCommands[] = {
    {IdDiscImage, ChooseDiscImageSource, true}, {IdFolder, ChooseFolderSource, true},
    {IdAddDlc, AddDlcFolder, true},             {IdClearList, ClearDlcList, true},
    {IdBrowse, ChooseInstallFolder, true},      {IdInstallOrPlay, PressMainButton, true},
    {IdTerms, OpenTermsPage, false},
};

LRESULT OnCommand(HWND window, int id)
{
    SetupSession& session = SessionOf(window);
    for (const CommandDef& command : kCommands)
        if (command.id == id && (!command.onlyWhenIdle || IsIdle(session)))
            command.handler(window, session);
    return 0;
}

// The text colour of a check-status line, from its check's verdict; null
// for every other static.
HBRUSH AnswerCheckLineColour(HWND window, HDC dc, HWND control)
{
    const SetupSession& session = SessionOf(window);
    const CheckState* check = nullptr;
    if (control == Control(window, IdSourceStatus))
        check = &session.source;
    else if (control == Control(window, IdDlcStatus))
        check = &session.dlc;
    else
        return nullptr;
    SetTextColor(dc, CheckLineColour(check->verdict, CurrentStatusColours()));
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

// The end of a tool run: the rules' verdict, the finish of an installation
// that built the game, the log brought up to date, the status lines
// repainted and the buttons brought up to date. A window the user closed
// during the run goes now.
LRESULT OnToolExit(HWND window, DWORD exitCode, bool started)
{
    SetupSession& session = SessionOf(window);
    const RunEnd end =
        EndRun(session, started, exitCode, PathExists(session.installFolder + kGameExeName));
    ApplyStatusChange(window, end.status);
    if (end.installed)
        FinishInstall(window, session);
    // After the finish, which may add a last line of its own.
    FinishToolOutput(window, session);
    InvalidateRect(Control(window, IdSourceStatus), nullptr, TRUE);
    InvalidateRect(Control(window, IdDlcStatus), nullptr, TRUE);
    ApplySetupView(window, session);
    if (end.closeWindow)
        DestroyWindow(window);
    return 0;
}

// Off the screen and out of the taskbar; marked, so that a second launcher of
// this folder finds it and shows it again.
void HideUntilRunEnds(HWND window, SetupSession& session)
{
    session.closeAtRunEnd = true;
    SetPropW(window, kHiddenRunProperty, reinterpret_cast<HANDLE>(1));
    ShowWindow(window, SW_HIDE);
}

// Shown again during the run (by a second launcher): the window stays.
void KeepAfterRunEnds(HWND window, SetupSession& session)
{
    session.closeAtRunEnd = false;
    RemovePropW(window, kHiddenRunProperty);
}

// A close during an installation or update run asks first; a check or an
// idle window closes at once. The launcher never stops the tool: a build cut
// off halfway would leave a broken install folder. So Yes only takes the
// window off the screen: the launcher goes on reading the tool's output
// (a tool whose output pipe is closed dies at its next write) and finishes
// the run as always, then the window goes and the launcher ends.
LRESULT OnClose(HWND window)
{
    SetupSession& session = SessionOf(window);
    if (session.phase == SetupPhase::Install) {
        if (MessageBoxW(window, L"Setup is still running. Close anyway?", kSetupTitle,
                        MB_YESNO | MB_ICONQUESTION)
            != IDYES)
            return 0;
        // The run may have ended while the question was open.
        if (session.phase == SetupPhase::Install) {
            HideUntilRunEnds(window, session);
            return 0;
        }
    }
    DestroyWindow(window);
    return 0;
}

// The window takes its data from its creator here and frees it at
// WM_NCDESTROY: a creation that fails after this point frees it once, there.
LRESULT OnNcCreate(HWND window, const CREATESTRUCTW& create)
{
    auto& owner = *static_cast<std::unique_ptr<SetupWindowData>*>(create.lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner.release()));
    return TRUE;
}

// The session and the pacing go with the window.
LRESULT OnNcDestroy(HWND window)
{
    ForgetFocus(window);
    RemovePropW(window, kHiddenRunProperty);
    DropQueuedOutput(window);
    delete reinterpret_cast<SetupWindowData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    ForgetWindowDpi(window);
    return 0;
}

LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    TakeNewDpi(window, wParam, lParam, kClientSize, kControls);
    return 0;
}

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    FollowColourChange(window, message, false);
    switch (message) {
    case WM_NCCREATE:
        OnNcCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
        break; // DefWindowProcW sets the title
    case WM_COMMAND:
        return OnCommand(window, LOWORD(wParam));
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = AnswerCheckLineColour(window, reinterpret_cast<HDC>(wParam),
                                                 reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_SETUP_OUTPUT:
        HandleToolOutput(window, SessionOf(window), wParam, lParam);
        return 0;
    case WM_TIMER:
        if (wParam != kOutputTimerId)
            break;
        OnOutputTimer(window, SessionOf(window));
        return 0;
    case WM_SETUP_EXIT:
        return OnToolExit(window, static_cast<DWORD>(wParam), lParam != 0);
    case WM_DPICHANGED:
        return OnDpiChanged(window, wParam, lParam);
    case WM_CLOSE:
        return OnClose(window);
    case WM_SHOWWINDOW:
        if (wParam)
            KeepAfterRunEnds(window, SessionOf(window));
        break;
    case WM_ACTIVATE:
        if (TrackFocusOnActivate(window, wParam))
            return 0;
        break;
    case WM_DESTROY:
        UnmarkStatusLines(window);
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        return OnNcDestroy(window);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterSetupWindowClass()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = SetupWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kSetupClassName;
    RegisterClassW(&windowClass);
}

} // namespace

SetupSession& SessionOf(HWND window)
{
    return DataOf(window).session;
}

OutputPacing& PacingOf(HWND window)
{
    return DataOf(window).pacing;
}

std::span<const ControlDef> SetupControlTable()
{
    return kControls;
}

HWND CreateSetupWindow()
{
    RegisterSetupWindowClass();

    // The window takes it at WM_NCCREATE; one that never got that far
    // leaves it here, to be freed on return.
    auto data = std::make_unique<SetupWindowData>();
    HWND window = CreateTopWindow(kSetupClassName, kSetupTitle, kWindowStyle, kClientSize.width,
                                  kClientSize.height, kSystemPlaced, nullptr, &data);
    if (!window)
        return nullptr;
    CreateSetupControls(window, SessionOf(window));
    ApplySetupView(window, SessionOf(window));
    return window;
}

void RunSetupLoop(HWND window)
{
    MSG message;
    for (;;) {
        // Nothing waits, so input and paint have had their turn: the reader
        // goes on now rather than at the pacing timer's next tick.
        if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0 && IsWindow(window))
            ReleaseOwedOutput(window);
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            break;
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
