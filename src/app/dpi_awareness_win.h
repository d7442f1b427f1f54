// The process's DPI awareness, set before its first window.
#pragma once

// Per-monitor aware, so that each window is laid out for its own monitor
// and Windows never stretches its bitmap: per-monitor v2 on Windows 10 1703
// and later, per-monitor on Windows 8.1, system-aware before that.
void BecomePerMonitorDpiAware();
