// Stand-in setup window until the real one exists.
#include "setup/setup_window.h"

#include "app/launcher_state.h"

namespace {

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

bool CreateSetupWindow()
{
    SetProcessDPIAware();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = SetupWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"qarnsetup";
    RegisterClassW(&windowClass);

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, 642, 630};
    AdjustWindowRect(&frame, style, FALSE);
    g_state.setupWindow = CreateWindowExW(0, L"qarnsetup", L"Vantaroo setup", style,
                                          CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                          frame.bottom - frame.top, nullptr, nullptr, instance,
                                          nullptr);
    if (!g_state.setupWindow)
        return false;
    g_state.mainStatus = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 16, 392, 610,
                                         20, g_state.setupWindow, nullptr, instance, nullptr);
    return true;
}

void BeginUpdateRun()
{
    SetWindowTextW(g_state.mainStatus, L"Updating the game to this version...");
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
