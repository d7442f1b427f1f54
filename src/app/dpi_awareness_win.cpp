#include "app/dpi_awareness_win.h"

#include <windows.h>

#include "base/system_function_win.h"

namespace {

// PROCESS_PER_MONITOR_DPI_AWARE, without <shellscalingapi.h>.
constexpr int kProcessPerMonitorDpiAware = 2;

// Windows 10 1703 and later. Access denied: the manifest already chose.
bool SetPerMonitorV2()
{
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    auto setContext =
        LookUp<SetContextFn>(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext");
    if (!setContext)
        return false;
    return setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)
        || GetLastError() == ERROR_ACCESS_DENIED;
}

// Windows 8.1 and later; shcore only from system32. Wine 8 has no v2 and
// lands here.
bool SetPerMonitor()
{
    using SetAwarenessFn = HRESULT(WINAPI*)(int);
    HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    auto setAwareness = LookUp<SetAwarenessFn>(shcore, "SetProcessDpiAwareness");
    if (!setAwareness)
        return false;
    const HRESULT result = setAwareness(kProcessPerMonitorDpiAware);
    return SUCCEEDED(result) || result == E_ACCESSDENIED;
}

} // namespace

void BecomePerMonitorDpiAware()
{
    if (!SetPerMonitorV2() && !SetPerMonitor())
        SetProcessDPIAware();
}
