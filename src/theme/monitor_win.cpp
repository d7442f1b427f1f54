#include "theme/monitor_win.h"

#include "base/system_function_win.h"

namespace {

// MDT_EFFECTIVE_DPI, without <shellscalingapi.h>: shcore is looked up at run
// time, since Windows 7 and 8 do not have it.
constexpr int kEffectiveDpi = 0;

using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

GetDpiForMonitorFn LookUpGetDpiForMonitor()
{
    // System32 only: a planted shcore.dll beside the exe must never load.
    HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!shcore)
        return nullptr;
    return LookUp<GetDpiForMonitorFn>(shcore, "GetDpiForMonitor");
}

AdjustWindowRectExForDpiFn LookUpAdjustForDpi()
{
    return LookUp<AdjustWindowRectExForDpiFn>(GetModuleHandleW(L"user32.dll"),
                                              "AdjustWindowRectExForDpi");
}

} // namespace

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int MonitorDpi(HMONITOR monitor)
{
    static const GetDpiForMonitorFn getDpiForMonitor = LookUpGetDpiForMonitor();
    UINT x = 0, y = 0;
    // Wine answers S_OK with 0 DPI; the system scale is right there.
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return SystemDpi();
}

PixelRect WorkArea(HMONITOR monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    const RECT& work = info.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

PixelSize FrameSize(DWORD style, int monitorDpi)
{
    static const AdjustWindowRectExForDpiFn adjustForDpi = LookUpAdjustForDpi();
    RECT frame = {0, 0, 0, 0};
    if (adjustForDpi)
        adjustForDpi(&frame, style, FALSE, 0, static_cast<UINT>(monitorDpi));
    else
        AdjustWindowRectEx(&frame, style, FALSE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}
