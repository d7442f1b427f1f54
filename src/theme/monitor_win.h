// What a window needs to know of the monitor it goes on: the monitor's
// scale, its work area, and how much a frame adds to a client area there.
#pragma once

#include <windows.h>

#include "theme/fit_scale.h"

// The monitor's scale: GetDpiForMonitor where the system has it (Windows 8.1
// and later), else the screen's LOGPIXELSY, the system-wide scale.
int MonitorDpi(HMONITOR monitor);

// The monitor's area without the taskbar and docked bars.
PixelRect WorkArea(HMONITOR monitor);

// What the frame of a window of this style (no menu, no extended style)
// adds to its client area on a monitor of this scale. Windows 10 draws a
// per-monitor aware window's frame at its monitor's scale; older systems at
// the system scale, which AdjustWindowRectEx gives.
PixelSize FrameSize(DWORD style, int monitorDpi);

// The system-wide scale, for what belongs to no window.
int SystemDpi();
