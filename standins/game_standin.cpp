// Stands in for the game, qarn.exe. With VANTAROO_GAME_LOG set it records how
// it was started and ends; with VANTAROO_GAME_EVENT set it signals that named
// event and ends; otherwise it shows a small window with its command line.
#include <windows.h>

#include <string>

#include "record.h"

namespace {

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // Under test: record the start, or signal a benchmark's event, and end.
    wchar_t eventName[256] = {};
    const bool signal = GetEnvironmentVariableW(L"VANTAROO_GAME_EVENT", eventName, 256) != 0;
    if (signal) {
        HANDLE started = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
        if (started) {
            SetEvent(started);
            CloseHandle(started);
        }
    }
    if (GetEnvironmentVariableW(L"VANTAROO_GAME_LOG", nullptr, 0) || signal) {
        RecordStart(L"VANTAROO_GAME_LOG");
        return 0;
    }
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = GameWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"qarngamestandin";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Vantaroo (game stand-in)",
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 560, 200,
                                  nullptr, nullptr, instance, nullptr);
    wchar_t folder[1024] = {};
    GetCurrentDirectoryW(1024, folder);
    std::wstring text = L"This program stands in for the game.\r\n\r\nCommand line: ";
    text += GetCommandLineW();
    text += L"\r\nFolder: ";
    text += folder;
    HWND label = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE, 16, 16, 520, 120,
                                 window, nullptr, instance, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    ShowWindow(window, showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
