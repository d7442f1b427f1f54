#include "theme/fit_scale.h"

#include <algorithm>

#include "theme/layout_scale.h"

namespace {

bool Fits(PixelSize client, PixelSize frame, PixelSize workArea, int dpi)
{
    return ScaleToDpi(client.width, dpi) + frame.width <= workArea.width
        && ScaleToDpi(client.height, dpi) + frame.height <= workArea.height;
}

// Keeps [start, start + length) inside [areaStart, areaStart + areaLength),
// the start edge winning when it cannot.
int Clamp(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

int FitDpi(PixelSize client, const std::function<PixelSize(int dpi)>& frameAt, PixelSize workArea,
           int monitorDpi)
{
    int dpi = monitorDpi;
    while (dpi > kSmallestFitDpi && !Fits(client, frameAt(dpi), workArea, dpi))
        --dpi;
    return dpi;
}

PixelRect PlaceInside(PixelRect window, PixelRect area)
{
    return {Clamp(window.x, window.width, area.x, area.width),
            Clamp(window.y, window.height, area.y, area.height), window.width, window.height};
}
