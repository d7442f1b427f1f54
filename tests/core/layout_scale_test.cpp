#include <gtest/gtest.h>

#include "theme/layout_scale.h"

namespace {

TEST(LayoutScale, LengthsRoundLikeMulDiv)
{
    struct Case {
        int length, dpi, scaled;
    } cases[] = {
        {520, 96, 520},  {520, 144, 780}, {17, 120, 21},  // 21.25
        {2, 120, 3},     // 2.5: halves away from zero
        {-17, 144, -26}, // -25.5: font heights scale alike
        {-30, 120, -38}, // -37.5
        {1, 144, 2},     {0, 192, 0},     {610, 192, 1220}, {27, 168, 47}, // 47.25
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleToDpi(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
}

// Edges are scaled, so controls that touch or line up still do.
TEST(LayoutScale, RectanglesScaleTheirEdges)
{
    const LayoutRect left = {16, 98, 200, 30};
    const LayoutRect right = {216, 98, 10, 30}; // touches left's right edge
    for (int dpi : {96, 120, 144, 168, 192}) {
        const LayoutRect a = ScaleToDpi(left, dpi);
        const LayoutRect b = ScaleToDpi(right, dpi);
        EXPECT_EQ(a.x + a.width, b.x) << dpi;
        EXPECT_EQ(a.y, b.y) << dpi;
        EXPECT_EQ(a.height, b.height) << dpi;
    }
    const LayoutRect unchanged = ScaleToDpi(left, 96);
    EXPECT_EQ(unchanged.x, 16);
    EXPECT_EQ(unchanged.width, 200);
    const LayoutRect odd = ScaleToDpi({1, 1, 1, 1}, 144); // edges 1.5 and 3
    EXPECT_EQ(odd.x, 2);
    EXPECT_EQ(odd.width, 1);
}

} // namespace
