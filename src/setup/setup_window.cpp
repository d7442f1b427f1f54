// The setup window: its class, its controls, its procedure and message loop,
// and the end of a tool run.
#include "setup/setup_window.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "base/launcher_state.h"
#include "base/names.h"
#include "setup/dlc_choice.h"
#include "setup/install_folder_choice.h"
#include "setup/install_run.h"
#include "setup/setup_messages.h"
#include "setup/setup_output.h"
#include "setup/setup_run.h"
#include "setup/source_choice.h"
#include "theme/palette.h"
#include "theme/theme.h"
#include "theme/window_builder.h"

namespace {

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidth = 642;
constexpr int kClientHeight = 630;

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
     MessageFontRole, &LauncherState::sourceEdit},
    {L"BUTTON", L"Choose disc image (.iso)...", WS_TABSTOP, 0, IdDiscImage, {16, 98, 200, 30},
     MessageFontRole, &LauncherState::discImageButton},
    {L"BUTTON", L"Choose extracted folder...", WS_TABSTOP, 0, IdFolder, {226, 98, 200, 30},
     MessageFontRole, &LauncherState::folderButton},
    {L"STATIC", L"", 0, 0, IdSourceStatus, {16, 134, 610, 20}, MessageFontRole, &LauncherState::sourceStatus},
    {L"STATIC", L"Downloadable content folders (optional):", 0, 0, IdDlcLabel, {16, 164, 400, 20},
     MessageFontRole},
    {L"LISTBOX", L"", WS_VSCROLL | LBS_NOSEL, WS_EX_CLIENTEDGE, IdDlcList, {16, 186, 610, 62},
     MessageFontRole, &LauncherState::dlcList},
    {L"BUTTON", L"Add DLC folder...", WS_TABSTOP, 0, IdAddDlc, {16, 254, 200, 30},
     MessageFontRole, &LauncherState::addDlcButton},
    {L"BUTTON", L"Clear list", WS_TABSTOP, 0, IdClearList, {226, 254, 120, 30}, MessageFontRole,
     &LauncherState::clearListButton},
    {L"STATIC", L"", 0, 0, IdDlcStatus, {16, 290, 610, 36}, MessageFontRole, &LauncherState::dlcStatus},
    {L"STATIC", L"Install to:", 0, 0, IdDestLabel, {16, 332, 400, 20}, MessageFontRole},
    {L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IdDestEdit, {16, 354, 480, 24},
     MessageFontRole, &LauncherState::destEdit},
    {L"BUTTON", L"Browse...", WS_TABSTOP, 0, IdBrowse, {506, 351, 120, 30}, MessageFontRole,
     &LauncherState::browseButton},
    {L"STATIC", L"", 0, 0, IdMainStatus, {16, 392, 610, 20}, MessageFontRole, &LauncherState::mainStatus},
    {PROGRESS_CLASSW, L"", PBS_SMOOTH, 0, IdProgress, {16, 414, 610, 20}, MessageFontRole,
     &LauncherState::progressBar},
    {L"EDIT", L"", ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE, IdLog,
     {16, 442, 610, 84}, MessageFontRole, &LauncherState::logEdit},
    {L"BUTTON", L"Create a desktop shortcut", WS_TABSTOP | BS_AUTOCHECKBOX, 0, IdShortcutTick,
     {16, 542, 300, 22}, MessageFontRole, &LauncherState::shortcutTick},
    {L"BUTTON",
     L"Also build an Android app for my own device. Downloads Google's Android NDK (about 750 MB). "
     L"I accept Google's terms.",
     WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 0, IdAndroidTick, {16, 578, 470, 40}, MessageFontRole,
     &LauncherState::androidTick},
    {L"BUTTON", L"View Google's terms", WS_TABSTOP, 0, IdTerms, {506, 584, 120, 30},
     MessageFontRole, &LauncherState::termsButton},
    {L"BUTTON", L"Install", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IdMain, {506, 536, 120, 34},
     MessageFontRole, &LauncherState::mainButton},
};

void CreateSetupControls()
{
    CreateControls(g_state.setupWindow, kControls);
    SetWindowTextW(g_state.destEdit, g_state.installFolder.c_str());
    SendMessageW(g_state.progressBar, PBM_SETRANGE32, 0, 100);
    SendMessageW(g_state.shortcutTick, BM_SETCHECK, BST_CHECKED, 0);
    PrepareLog(g_state.logEdit);
}

// The main button installs until a run has succeeded; then it plays.
void PressMainButton()
{
    if (g_state.gameInstalled)
        PlayInstalledGame();
    else if (g_state.sourceAccepted && g_state.dlcAccepted)
        StartInstall();
}

void OpenTermsPage()
{
    ShellExecuteW(g_state.setupWindow, L"open", kTermsAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

struct CommandDef {
    int id;
    void (*handler)();
    // Whether the command may act only while no run is under way. Its button
    // is disabled meanwhile, but a click may already be queued.
    bool onlyWhenIdle;
};

const CommandDef kCommands[] = {
    {IdDiscImage, ChooseDiscImageSource, true}, {IdFolder, ChooseFolderSource, true},
    {IdAddDlc, AddDlcFolder, true},             {IdClearList, ClearDlcList, true},
    {IdBrowse, ChooseInstallFolder, true},      {IdMain, PressMainButton, true},
    {IdTerms, OpenTermsPage, false},
};

LRESULT OnCommand(int id)
{
    for (const CommandDef& command : kCommands)
        if (command.id == id && (!command.onlyWhenIdle || g_state.setupPhase == PhaseIdle))
            command.handler();
    return 0;
}

// The text colour of a check-status line; null for every other static.
HBRUSH AnswerStatusLineColour(HDC dc, HWND control)
{
    bool accepted = false;
    if (control == g_state.sourceStatus)
        accepted = g_state.sourceAccepted;
    else if (control == g_state.dlcStatus)
        accepted = g_state.dlcAccepted;
    else
        return nullptr;
    wchar_t text[16] = {};
    GetWindowTextW(control, text, 16);
    SetTextColor(dc, StatusLineColour(text, accepted));
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

// The end of a tool run: back to idle, the run's verdict, the status lines
// repainted and the buttons brought up to date.
LRESULT OnToolExit(DWORD exitCode, bool started)
{
    FinishToolOutput();
    const int ended = g_state.setupPhase;
    g_state.setupPhase = PhaseIdle;
    if (ended == PhaseInstall) {
        FinishInstall(exitCode, started);
    } else if (!started) {
        // A check's verdict comes only from its result line; its flag stays.
        HWND status = ended == PhaseCheckSource ? g_state.sourceStatus : g_state.dlcStatus;
        SetWindowTextW(status, L"The check could not run.");
    }
    InvalidateRect(g_state.sourceStatus, nullptr, TRUE);
    InvalidateRect(g_state.dlcStatus, nullptr, TRUE);
    SetMainButtonState();
    return 0;
}

// Whether a close may go on. During an installation or update run the user
// is asked first; a check or an idle window closes at once.
bool MayClose()
{
    if (g_state.setupPhase != PhaseInstall)
        return true;
    return MessageBoxW(g_state.setupWindow, L"Setup is still running. Close anyway?", kSetupTitle,
                       MB_YESNO | MB_ICONQUESTION)
        == IDYES;
}

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = AnswerStatusLineColour(reinterpret_cast<HDC>(wParam),
                                                  reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_SETUP_OUTPUT:
        HandleToolOutput(wParam, lParam);
        return 0;
    case WM_TIMER:
        if (wParam != kOutputTimerId)
            break;
        OnOutputTimer();
        return 0;
    case WM_SETUP_EXIT:
        return OnToolExit(static_cast<DWORD>(wParam), lParam != 0);
    case WM_CLOSE:
        if (!MayClose())
            return 0;
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
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

bool CreateSetupWindow()
{
    SetProcessDPIAware();
    // The folder picker and the desktop shortcut need COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX commonControls = {};
    commonControls.dwSize = sizeof(commonControls);
    commonControls.dwICC = ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&commonControls);
    CreateMessageFont();
    RegisterSetupWindowClass();

    g_state.setupWindow = CreateTopWindow(kSetupClassName, kSetupTitle, kWindowStyle, kClientWidth,
                                          kClientHeight, kSystemPlaced, nullptr);
    if (!g_state.setupWindow)
        return false;
    CreateSetupControls();
    SetMainButtonState();
    return true;
}

void RunSetupLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(g_state.setupWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
