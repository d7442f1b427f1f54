#include "theme/live_region_win.h"

#include <oleacc.h>

#include <string>

namespace {

// LiveSetting_Property_GUID of UI Automation, {C12BCD8E-2A8E-4950-8AE7-3625111D58EB}.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

LiveSettingWriter g_writer = nullptr;

HRESULT WriteWithPropertyService(HWND control, LiveSetting setting)
{
    IAccPropServices* services = nullptr;
    HRESULT result = CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IAccPropServices, reinterpret_cast<void**>(&services));
    if (FAILED(result))
        return result;
    if (setting == LiveSetting::Off) {
        MSAAPROPID property = kLiveSettingProperty;
        result = services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                          &property, 1);
    } else {
        // Set by hand: VariantInit would bring in oleaut32 for one line.
        VARIANT value = {};
        value.vt = VT_I4;
        value.lVal = static_cast<LONG>(setting);
        result = services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                       kLiveSettingProperty, value);
    }
    services->Release();
    return result;
}

HRESULT WriteLiveSetting(HWND control, LiveSetting setting)
{
    return (g_writer ? g_writer : WriteWithPropertyService)(control, setting);
}

} // namespace

void UseLiveSettingWriter(LiveSettingWriter writer)
{
    g_writer = writer;
}

HRESULT MarkLiveRegion(HWND control)
{
    return WriteLiveSetting(control, LiveSetting::Polite);
}

void UnmarkLiveRegion(HWND control)
{
    WriteLiveSetting(control, LiveSetting::Off);
}

void SetLiveText(HWND control, const wchar_t* text)
{
    std::wstring before(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    before.resize(static_cast<size_t>(
        GetWindowTextW(control, before.data(), static_cast<int>(before.size()))));
    SetWindowTextW(control, text);
    if (before != text)
        NotifyWinEvent(kLiveRegionChangedEvent, control, OBJID_CLIENT, CHILDID_SELF);
}
