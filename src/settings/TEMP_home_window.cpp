// TEMPORARY stand-in for the home window until the real one is merged: the
// two dark classes, Play and Settings, and the loop that hands messages to
// the settings window. Delete at merge.
#include "home/home_window.h"

#include "app/launcher_state.h"
#include "home/game_start.h"
#include "settings/settings_window.h"
#include "theme/theme.h"

namespace {

LRESULT CALLBACK TempHomeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        DrawThemedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(AnswerDarkCtlColor(message, reinterpret_cast<HDC>(wParam)));
    case WM_COMMAND:
        if (LOWORD(wParam) == 201) {
            g_state.playRequested = true;
            DestroyWindow(window);
        } else if (LOWORD(wParam) == 202 && !g_state.settingsWindow) {
            OpenSettingsWindow();
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterDarkClass(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = g_state.gameIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = g_state.backgroundBrush;
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

} // namespace

HomeOutcome RunHomePath(int showCommand)
{
    SetProcessDPIAware();
    CreateDarkTheme();
    RegisterDarkClass(L"qarnhome", TempHomeWindowProc);
    RegisterDarkClass(L"qarnsettings", SettingsWindowProc);

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, 520, 300};
    AdjustWindowRect(&frame, style, FALSE);
    g_state.homeWindow = CreateWindowExW(0, L"qarnhome", L"Vantaroo", style, CW_USEDEFAULT,
                                         CW_USEDEFAULT, frame.right - frame.left,
                                         frame.bottom - frame.top, nullptr, nullptr,
                                         GetModuleHandleW(nullptr), nullptr);
    if (!g_state.homeWindow)
        return HomeWindowFailed;
    UseDarkTitleBar(g_state.homeWindow);
    const struct {
        const wchar_t* text;
        int id, x, width;
    } buttons[] = {{L"Play", 201, 28, 220}, {L"Settings", 202, 262, 110}, {L"Set up again", 203, 382, 110}};
    for (const auto& b : buttons) {
        HWND button = CreateWindowExW(0, L"BUTTON", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                                      b.x, 150, b.width, 56, g_state.homeWindow,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)),
                                      GetModuleHandleW(nullptr), nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(g_state.buttonFont), TRUE);
    }
    ShowWindow(g_state.homeWindow, showCommand);
    SetFocus(GetDlgItem(g_state.homeWindow, 201));

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        HWND dialog = g_state.settingsWindow ? g_state.settingsWindow : g_state.homeWindow;
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (!g_state.playRequested)
        return HomeEnded;
    return StartGame(L"") ? HomeEnded : HomeGameNotStarted;
}
