// The setup window: its creation, its controls, its message loop and
// procedure, the enabling of its buttons and the end of a tool run.
#include "setup/setup_window.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/launcher_state.h"
#include "setup/dlc_and_folder_choice.h"
#include "setup/install_run.h"
#include "setup/setup_controls.h"
#include "setup/setup_tool_runner.h"
#include "setup/source_choice.h"
#include "setup/tool_command_line.h"
#include "theme/palette.h"
#include "theme/theme.h"

namespace {

constexpr wchar_t kClassName[] = L"qarnsetup";
constexpr wchar_t kTitle[] = L"Vantaroo setup";
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidth = 642;
constexpr int kClientHeight = 630;

enum SetupControlId {
    IdDiscImage = 101,
    IdFolder = 102,
    IdAddDlc = 103,
    IdClearList = 104,
    IdBrowse = 105,
    IdMain = 106,
    IdTerms = 107,
};

struct ControlDef {
    HWND LauncherState::*handle; // null: the control is not kept
    const wchar_t* className;
    const wchar_t* text;
    DWORD style; // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
    int id;
    int x, y, width, height;
};

// In creation order, which is also the Tab order. The main button comes last
// although it stands above the terms button, so it is the last Tab stop.
const ControlDef kControls[] = {
    {nullptr, L"STATIC",
     L"This release contains no part of the game. It builds the game on this PC from your own copy.",
     0, 0, 0, 16, 14, 610, 20},
    {nullptr, L"STATIC", L"Your copy of the game (USA Xbox disc):", 0, 0, 0, 16, 44, 400, 20},
    {&LauncherState::sourceEdit, L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 0,
     16, 66, 610, 24},
    {&LauncherState::discImageButton, L"BUTTON", L"Choose disc image (.iso)...", WS_TABSTOP, 0,
     IdDiscImage, 16, 98, 200, 30},
    {&LauncherState::folderButton, L"BUTTON", L"Choose extracted folder...", WS_TABSTOP, 0, IdFolder,
     226, 98, 200, 30},
    {&LauncherState::sourceStatus, L"STATIC", L"", 0, 0, 0, 16, 134, 610, 20},
    {nullptr, L"STATIC", L"Downloadable content folders (optional):", 0, 0, 0, 16, 164, 400, 20},
    {&LauncherState::dlcList, L"LISTBOX", L"", WS_VSCROLL | LBS_NOSEL, WS_EX_CLIENTEDGE, 0, 16, 186,
     610, 62},
    {&LauncherState::addDlcButton, L"BUTTON", L"Add DLC folder...", WS_TABSTOP, 0, IdAddDlc, 16, 254,
     200, 30},
    {&LauncherState::clearListButton, L"BUTTON", L"Clear list", WS_TABSTOP, 0, IdClearList, 226,
     254, 120, 30},
    {&LauncherState::dlcStatus, L"STATIC", L"", 0, 0, 0, 16, 290, 610, 36},
    {nullptr, L"STATIC", L"Install to:", 0, 0, 0, 16, 332, 400, 20},
    {&LauncherState::destEdit, L"EDIT", nullptr /* the install folder */,
     ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 0, 16, 354, 480, 24},
    {&LauncherState::browseButton, L"BUTTON", L"Browse...", WS_TABSTOP, 0, IdBrowse, 506, 351, 120,
     30},
    {&LauncherState::mainStatus, L"STATIC", L"", 0, 0, 0, 16, 392, 610, 20},
    {&LauncherState::progressBar, PROGRESS_CLASSW, L"", PBS_SMOOTH, 0, 0, 16, 414, 610, 20},
    {&LauncherState::logEdit, L"EDIT", L"", ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL,
     WS_EX_CLIENTEDGE, 0, 16, 442, 610, 84},
    {&LauncherState::shortcutTick, L"BUTTON", L"Create a desktop shortcut",
     WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 16, 542, 300, 22},
    {&LauncherState::androidTick, L"BUTTON",
     L"Also build an Android app for my own device. Downloads Google's Android NDK (about 750 MB). "
     L"I accept Google's terms.",
     WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 0, 0, 16, 578, 470, 40},
    {&LauncherState::termsButton, L"BUTTON", L"View Google's terms", WS_TABSTOP, 0, IdTerms, 506,
     584, 120, 30},
    {&LauncherState::mainButton, L"BUTTON", L"Install", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IdMain,
     506, 536, 120, 34},
};

// The buttons that could start a run, in the order they are enabled.
HWND LauncherState::*const kChoiceButtons[] = {
    &LauncherState::discImageButton, &LauncherState::folderButton, &LauncherState::addDlcButton,
    &LauncherState::clearListButton, &LauncherState::browseButton,
};

void CreateControls(HINSTANCE instance)
{
    for (const ControlDef& def : kControls) {
        const wchar_t* text = def.text ? def.text : g_state.installFolder.c_str();
        HWND control = CreateWindowExW(def.exStyle, def.className, text,
                                       WS_CHILD | WS_VISIBLE | def.style, def.x, def.y, def.width,
                                       def.height, g_state.setupWindow,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
                                       instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_state.messageFont), TRUE);
        if (def.handle)
            g_state.*def.handle = control;
    }
    SendMessageW(g_state.progressBar, PBM_SETRANGE32, 0, 100);
    SendMessageW(g_state.shortcutTick, BM_SETCHECK, BST_CHECKED, 0);
    PrepareLog(g_state.logEdit);
}

void ChooseDiscImageSource()
{
    const std::wstring path = ChooseDiscImage();
    if (!path.empty())
        CheckSource(path);
}

void ChooseFolderSource()
{
    const std::wstring path = ChooseFolder(L"Choose the folder that holds default.xbe");
    if (!path.empty())
        CheckSource(path);
}

// The main button installs until a run has succeeded; then it plays.
void PressMainButton()
{
    if (g_state.gameInstalled)
        PlayInstalledGame();
    else
        StartInstall();
}

struct CommandDef {
    int id;
    void (*handler)();
};

const CommandDef kCommands[] = {
    {IdDiscImage, ChooseDiscImageSource}, {IdFolder, ChooseFolderSource},
    {IdAddDlc, AddDlcFolder},             {IdClearList, ClearDlcList},
    {IdBrowse, ChooseInstallFolder},      {IdMain, PressMainButton},
    {IdTerms, OpenTermsPage},
};

void OnSetupCommand(int id)
{
    for (const CommandDef& command : kCommands)
        if (command.id == id)
            command.handler();
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

// Whether a close may go on. During an installation or update run the user
// is asked first; a check or an idle window closes at once.
bool MayClose()
{
    if (g_state.setupPhase != PhaseInstall)
        return true;
    return MessageBoxW(g_state.setupWindow, L"Setup is still running. Close anyway?", kTitle,
                       MB_YESNO | MB_ICONQUESTION)
        == IDYES;
}

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnSetupCommand(LOWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = AnswerStatusLineColour(reinterpret_cast<HDC>(wParam),
                                                  reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_SETUP_OUTPUT:
        HandleToolOutput(lParam);
        return 0;
    case WM_SETUP_EXIT:
        EndToolRun(static_cast<DWORD>(wParam), lParam != 0);
        return 0;
    case WM_CLOSE:
        if (!MayClose())
            return 0;
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void SetMainButtonState()
{
    const bool idle = g_state.setupPhase == PhaseIdle;
    const bool canInstall = g_state.sourceAccepted && g_state.dlcAccepted && idle;
    EnableWindow(g_state.mainButton, g_state.gameInstalled || canInstall);
    for (HWND LauncherState::*button : kChoiceButtons)
        EnableWindow(g_state.*button, !g_state.gameInstalled && idle);
    SetWindowTextW(g_state.mainButton, g_state.gameInstalled ? L"Play" : L"Install");
}

void EndToolRun(DWORD exitCode, bool started)
{
    FlushToolOutput();
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
}

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

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = SetupWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);

    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, kWindowStyle, FALSE);
    g_state.setupWindow = CreateWindowExW(0, kClassName, kTitle, kWindowStyle, CW_USEDEFAULT,
                                          CW_USEDEFAULT, frame.right - frame.left,
                                          frame.bottom - frame.top, nullptr, nullptr, instance,
                                          nullptr);
    if (!g_state.setupWindow)
        return false;
    CreateControls(instance);
    SetMainButtonState();
    return true;
}

void BeginUpdateRun()
{
    SetWindowTextW(g_state.sourceEdit, L"Using the game files already installed");
    SetWindowTextW(g_state.mainStatus, L"Updating the game to this version...");
    StartSetupTool(PhaseInstall, RebuildArguments(g_state.installFolder));
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
