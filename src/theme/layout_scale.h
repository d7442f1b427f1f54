// Layout in 96-DPI units, scaled to the display when a window is built: at
// 96 DPI every size and position is exactly the one given.
#pragma once

inline constexpr int kDesignDpi = 96;

// A rectangle in 96-DPI units: left, top, width, height.
struct LayoutRect {
    int x, y, width, height;
};

// length * dpi / 96, rounded to the nearest integer with halves away from
// zero, as MulDiv rounds. Negative lengths (font heights) scale alike.
int ScaleToDpi(int length, int dpi);

// Scales the edges rather than the width and height, so that controls that
// touch or line up at 96 DPI still do at any scale.
LayoutRect ScaleToDpi(const LayoutRect& rect, int dpi);
