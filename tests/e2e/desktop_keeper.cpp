// Keeps Wine's desktop alive through a test run. Wine ends its desktop
// process a second or so after the last window of any program has gone, and
// the next program that opens a window then waits while a new one starts;
// a launcher started in that moment can come up far later than any test
// waits for. This program holds one hidden window until it is stopped.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"VantarooTestDesktopKeeper";
    RegisterClassW(&windowClass);
    // Hidden, and never shown: no test sees it.
    if (!CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 1, 1, nullptr,
                         nullptr, instance, nullptr))
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
