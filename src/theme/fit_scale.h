// Which scale a top-level window is built at, and where it goes, so that it
// lies wholly inside the monitor's work area. Sizes here are in pixels.
#pragma once

#include <functional>

struct PixelSize {
    int width, height;
};

// A rectangle in pixels: left, top, width, height.
struct PixelRect {
    int x, y, width, height;
};

// Below three quarters of the design scale the message font gets too small
// to read; a window that does not fit even then is built at this scale and
// its top-left corner (the title bar) kept on the screen.
inline constexpr int kSmallestFitDpi = 72;

// The largest dpi, from monitorDpi down to kSmallestFitDpi, at which a window
// whose client area is client (in 96-DPI units) scaled to that dpi, plus the
// frame frameAt(dpi) adds to it, fits in workArea. monitorDpi itself when
// that is already below kSmallestFitDpi.
int FitDpi(PixelSize client, const std::function<PixelSize(int dpi)>& frameAt, PixelSize workArea,
           int monitorDpi);

// The window moved by as little as it takes to lie inside the area; one that
// is larger than the area keeps its left or top edge on the area's.
PixelRect PlaceInside(PixelRect window, PixelRect area);
