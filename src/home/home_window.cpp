// Stand-in home window until the dark one exists: Play or close.
#include "home/home_window.h"

#include "app/launcher_state.h"
#include "home/game_start.h"

namespace {

constexpr int kPlayId = 201;

LRESULT CALLBACK HomeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kPlayId) {
            g_state.playRequested = true;
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

HomeOutcome RunHomePath(int showCommand)
{
    SetProcessDPIAware();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HomeWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"qarnhome";
    RegisterClassW(&windowClass);

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, 520, 300};
    AdjustWindowRect(&frame, style, FALSE);
    g_state.homeWindow = CreateWindowExW(0, L"qarnhome", L"Vantaroo", style, CW_USEDEFAULT,
                                         CW_USEDEFAULT, frame.right - frame.left,
                                         frame.bottom - frame.top, nullptr, nullptr, instance,
                                         nullptr);
    if (!g_state.homeWindow)
        return HomeWindowFailed;
    CreateWindowExW(0, L"BUTTON", L"Play", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 28, 150, 220, 56,
                    g_state.homeWindow, reinterpret_cast<HMENU>(kPlayId), instance, nullptr);
    ShowWindow(g_state.homeWindow, showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (!g_state.playRequested)
        return HomeEnded;
    return StartGame(L"") ? HomeEnded : HomeGameNotStarted;
}
