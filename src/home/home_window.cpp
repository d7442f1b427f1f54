// The dark home window of an installed game: icon, title, Play, Settings,
// Set up again and the start-straight-away tick, with the home message loop.
#include "home/home_window.h"

#include <windows.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <cwchar>

#include "app/folder_rules.h"
#include "app/folders.h"
#include "app/launcher_state.h"
#include "home/game_start.h"
#include "home/home_keys.h"
#include "settings/settings_window.h"
#include "theme/palette.h"
#include "theme/theme.h"

namespace {

constexpr wchar_t kHomeClassName[] = L"qarnhome";
constexpr wchar_t kSettingsClassName[] = L"qarnsettings";
constexpr wchar_t kHomeTitle[] = L"Vantaroo";
constexpr DWORD kHomeStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidth = 520;
constexpr int kClientHeight = 300;

constexpr int kPlayId = kPlayButtonId;
constexpr int kSettingsId = 202;
constexpr int kSetUpAgainId = 203;
constexpr int kTickId = 204;

static_assert(kKeyDownMessage == WM_KEYDOWN && kReturnKey == VK_RETURN);

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kTickStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

struct ControlDef {
    const wchar_t* text;
    DWORD style;
    int id;
    int x, y, width, height;
    HFONT LauncherState::*font;
};

// Created in this order, which is also the Tab order.
const ControlDef kHomeControls[] = {
    {L"Play", kButtonStyle, kPlayId, 28, 150, 220, 56, &LauncherState::buttonFont},
    {L"Settings", kButtonStyle, kSettingsId, 262, 150, 110, 56, &LauncherState::buttonFont},
    {L"Set up again", kButtonStyle, kSetUpAgainId, 382, 150, 110, 56, &LauncherState::buttonFont},
    {L"Start the game straight away next time (hold Shift to see this window)", kTickStyle, kTickId,
     28, 232, 464, 24, &LauncherState::messageFont},
};

constexpr int kIconX = 28;
constexpr int kIconY = 26;
constexpr int kIconSize = 96;

struct PaintedText {
    const wchar_t* text;
    HFONT LauncherState::*font;
    Colour colour;
    int x, y;
};

const PaintedText kHomeTexts[] = {
    {L"Vantaroo", &LauncherState::titleFont, TextColour, 146, 36},
    {L"Glimmerquest  \u2022  PC recompilation", &LauncherState::messageFont, DimTextColour, 148, 82},
};

struct DarkClass {
    const wchar_t* name;
    WNDPROC procedure;
};

void PaintHome(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (g_state.gameIcon)
        DrawIconEx(dc, kIconX, kIconY, g_state.gameIcon, kIconSize, kIconSize, 0, nullptr,
                   DI_NORMAL);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);
    for (const PaintedText& item : kHomeTexts) {
        SelectObject(dc, g_state.*item.font);
        SetTextColor(dc, item.colour);
        TextOutW(dc, item.x, item.y, item.text, static_cast<int>(std::wcslen(item.text)));
    }
    SelectObject(dc, previousFont);
    EndPaint(window, &paint);
}

LRESULT OnPlay(HWND window)
{
    // The game starts once the loop has ended, after the window is gone.
    g_state.playRequested = true;
    DestroyWindow(window);
    return 0;
}

LRESULT OnSettings()
{
    if (!g_state.settingsWindow)
        OpenSettingsWindow();
    return 0;
}

LRESULT OnSetUpAgain(HWND window)
{
    wchar_t launcherPath[kModulePathCapacity] = {};
    GetModuleFileNameW(nullptr, launcherPath, kModulePathCapacity);
    launcherPath[kModulePathCapacity - 1] = L'\0';
    ShellExecuteW(nullptr, L"open", launcherPath, L"--setup", g_state.launcherFolder.c_str(),
                  SW_SHOWNORMAL);
    DestroyWindow(window);
    return 0;
}

// Checked: an empty marker (CREATE_ALWAYS truncates one that has content).
// Unchecked: no marker.
LRESULT OnTick(HWND tick)
{
    const std::wstring marker = SkipMarkerPath();
    if (SendMessageW(tick, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        HANDLE file =
            CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    } else {
        DeleteFileW(marker.c_str());
    }
    return 0;
}

LRESULT OnCommand(HWND window, int id, HWND control)
{
    switch (id) {
    case kPlayId:
        return OnPlay(window);
    case kSettingsId:
        return OnSettings();
    case kSetUpAgainId:
        return OnSetUpAgain(window);
    case kTickId:
        return OnTick(control);
    }
    return 0;
}

LRESULT CALLBACK HomeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintHome(window);
        return 0;
    case WM_DRAWITEM:
        DrawThemedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(AnswerDarkCtlColor(message, reinterpret_cast<HDC>(wParam)));
    case WM_COMMAND:
        return OnCommand(window, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterDarkClasses(HINSTANCE instance)
{
    const DarkClass classes[] = {
        {kHomeClassName, HomeWindowProc},
        {kSettingsClassName, SettingsWindowProc},
    };
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    for (const DarkClass& dark : classes) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = dark.procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = g_state.gameIcon;
        windowClass.hCursor = arrow;
        windowClass.hbrBackground = g_state.backgroundBrush;
        windowClass.lpszClassName = dark.name;
        RegisterClassW(&windowClass);
    }
}

void CreateHomeControls(HINSTANCE instance)
{
    for (const ControlDef& def : kHomeControls) {
        HWND control = CreateWindowExW(0, L"BUTTON", def.text, def.style, def.x, def.y, def.width,
                                       def.height, g_state.homeWindow,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
                                       instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_state.*def.font), TRUE);
    }
    // Without its visual style the tick takes its colours from WM_CTLCOLORSTATIC.
    SetWindowTheme(GetDlgItem(g_state.homeWindow, kTickId), L"", L"");
}

void RunHomeLoop(HWND play)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (EnterActsAsPlay(message.message, message.wParam,
                            GetForegroundWindow() == g_state.homeWindow, GetFocus() == play)) {
            SendMessageW(g_state.homeWindow, WM_COMMAND, kPlayId, 0);
            continue;
        }
        // Tab and Shift+Tab move the focus in whichever window is in front.
        HWND dialog = g_state.settingsWindow ? g_state.settingsWindow : g_state.homeWindow;
        if (IsDialogMessageW(dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HomeOutcome RunHomeWindow(int showCommand)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, kHomeStyle, FALSE);
    g_state.homeWindow = CreateWindowExW(0, kHomeClassName, kHomeTitle, kHomeStyle, CW_USEDEFAULT,
                                         CW_USEDEFAULT, frame.right - frame.left,
                                         frame.bottom - frame.top, nullptr, nullptr, instance,
                                         nullptr);
    // Without a window nothing could ever end the loop.
    if (!g_state.homeWindow)
        return HomeWindowFailed;
    UseDarkTitleBar(g_state.homeWindow);
    CreateHomeControls(instance);

    HWND play = GetDlgItem(g_state.homeWindow, kPlayId);
    ShowWindow(g_state.homeWindow, showCommand);
    SetFocus(play);
    RunHomeLoop(play);

    if (!g_state.playRequested)
        return HomeEnded;
    // Play never passes the launcher's own arguments on to the game.
    return StartGame(L"") ? HomeEnded : HomeGameNotStarted;
}

} // namespace

HomeOutcome RunHomePath(int showCommand)
{
    SetProcessDPIAware();
    CreateDarkTheme();
    RegisterDarkClasses(GetModuleHandleW(nullptr));
    return RunHomeWindow(showCommand);
}
