#include <gtest/gtest.h>

#include "theme/fit_scale.h"

namespace {

// Frames as Windows gives them for a captioned window without a sizing
// border: a fixed width and a caption that grows with the scale.
PixelSize CaptionFrame(int dpi)
{
    return {6, 39 * dpi / 168};
}

TEST(FitScale, TheLargestScaleAtWhichTheOuterSizeFits)
{
    struct Case {
        const char* name;
        PixelSize client; // 96-DPI units
        PixelSize (*frameAt)(int dpi);
        PixelSize workArea;
        int monitorDpi;
        int expected;
    } cases[] = {
        {"setup window, 175 % on 1080p: height decides", {642, 630}, CaptionFrame, {1920, 1040}, 168, 153},
        {"setup window, 175 % on a 1080p work area", {642, 630}, [](int) { return PixelSize{6, 39}; },
         {1920, 1080}, 168, 158},
        {"setup window, 100 % on 1080p: unchanged", {642, 630}, CaptionFrame, {1920, 1040}, 96, 96},
        {"home window, 175 % on 1080p: fits as it is", {520, 300}, CaptionFrame, {1920, 1040}, 168, 168},
        {"exactly as high as the work area", {100, 100}, [](int) { return PixelSize{0, 0}; },
         {150, 150}, 144, 144},
        {"one pixel less: one dpi less", {100, 100}, [](int) { return PixelSize{0, 0}; }, {149, 149},
         144, 143},
        {"width decides", {1000, 100}, [](int) { return PixelSize{0, 0}; }, {1200, 1000}, 192, 115},
        {"the frame is asked at each scale tried", {100, 400},
         [](int dpi) { return PixelSize{0, dpi / 4}; }, {1000, 600}, 192, 135},
        {"a fixed frame of the same size at 192 would give less", {100, 400},
         [](int) { return PixelSize{0, 40}; }, {1000, 600}, 192, 134},
        {"nothing fits: the smallest scale", {642, 630}, CaptionFrame, {10, 10}, 168, kSmallestFitDpi},
        {"a monitor below the smallest scale keeps its own", {642, 630}, CaptionFrame, {10, 10}, 60, 60},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitDpi(c.client, c.frameAt, c.workArea, c.monitorDpi), c.expected) << c.name;
}

TEST(FitScale, PlaceInsideMovesAWindowOnlyAsFarAsNeeded)
{
    const PixelRect area = {1920, -200, 1280, 1000}; // a second monitor, above and right
    struct Case {
        const char* name;
        PixelRect window;
        PixelRect expected;
    } cases[] = {
        {"inside: stays", {2000, 0, 400, 300}, {2000, 0, 400, 300}},
        {"past the right edge", {3000, 0, 400, 300}, {2800, 0, 400, 300}},
        {"past the bottom edge", {2000, 700, 400, 300}, {2000, 500, 400, 300}},
        {"left of and above the area", {100, -500, 400, 300}, {1920, -200, 400, 300}},
        {"larger than the area: top-left corner on it", {2500, 100, 1500, 1200},
         {1920, -200, 1500, 1200}},
    };
    for (const Case& c : cases) {
        const PixelRect placed = PlaceInside(c.window, area);
        EXPECT_EQ(placed.x, c.expected.x) << c.name;
        EXPECT_EQ(placed.y, c.expected.y) << c.name;
        EXPECT_EQ(placed.width, c.expected.width) << c.name;
        EXPECT_EQ(placed.height, c.expected.height) << c.name;
    }
}

} // namespace
