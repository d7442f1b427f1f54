#include "theme/layout_scale.h"

#include <cstdint>

int ScaleToDpi(int length, int dpi)
{
    const std::int64_t product = static_cast<std::int64_t>(length) * dpi;
    const std::int64_t half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                          : -((-product + half) / kDesignDpi));
}

LayoutRect ScaleToDpi(const LayoutRect& rect, int dpi)
{
    const int left = ScaleToDpi(rect.x, dpi);
    const int top = ScaleToDpi(rect.y, dpi);
    return {left, top, ScaleToDpi(rect.x + rect.width, dpi) - left,
            ScaleToDpi(rect.y + rect.height, dpi) - top};
}
