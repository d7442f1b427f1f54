// Status lines that a screen reader reads out when they change. Each is
// marked as a polite live region through the accessibility property service
// (IAccPropServices::SetHwndProp with the LiveSetting property, the
// documented way for Win32 controls), and each change of its text raises
// EVENT_OBJECT_LIVEREGIONCHANGED for it.
#pragma once

#include <windows.h>

// EVENT_OBJECT_LIVEREGIONCHANGED, which older SDK headers lack.
inline constexpr DWORD kLiveRegionChangedEvent = 0x8019;

// UI Automation's LiveSetting values.
enum class LiveSetting : int {
    Off = 0,
    Polite = 1,
};

// What sets a control's LiveSetting; the window tests hand in their own,
// since Wine's property service refuses it. Null: the system's service.
using LiveSettingWriter = HRESULT (*)(HWND control, LiveSetting setting);
void UseLiveSettingWriter(LiveSettingWriter writer);

// Marks the control as a polite live region; its failure is the service's.
HRESULT MarkLiveRegion(HWND control);
// Takes the mark away again, before the control is destroyed.
void UnmarkLiveRegion(HWND control);

// Sets the control's text; when the text changed, raises the live-region
// event for the control so that a screen reader reads it out.
void SetLiveText(HWND control, const wchar_t* text);
