#include <gtest/gtest.h>

#include "setup/setup_session.h"
#include "theme/palette.h"

namespace {

// Every colour pinned as its COLORREF value, so a wrong constant is caught
// here and not only on the screen.
TEST(Palette, ColoursAreTheirColorrefValues)
{
    struct Case {
        const char* name;
        Colour colour;
        Colour value;
    } cases[] = {
        {"background", BackgroundColour, 0x281216u},
        {"text", TextColour, 0xFFF0F4u},
        {"dim text", DimTextColour, 0xCEA8B0u},
        {"field", FieldColour, 0x5C2C34u},
        {"button pressed", ButtonPressedColour, 0x7A3E48u},
        {"accent", AccentColour, 0x1CB8FFu},
        {"accent pressed", AccentPressedColour, 0x0A96DCu},
        {"accent text", AccentTextColour, 0x001828u},
        {"status pending", StatusPendingColour, 0x5A5A5Au},
        {"status ok", StatusOkColour, 0x007800u},
        {"status failed", StatusFailedColour, 0x0000BEu},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.colour, c.value) << c.name;
}

TEST(Palette, ThemedButtonFaceAndText)
{
    struct Case {
        bool accent;
        bool pressed;
        Colour face;
        Colour text;
    } cases[] = {
        {true, false, AccentColour, AccentTextColour},
        {true, true, AccentPressedColour, AccentTextColour},
        {false, false, FieldColour, TextColour},
        {false, true, ButtonPressedColour, TextColour},
    };
    for (const Case& c : cases) {
        ButtonColours colours = ThemedButtonColours(c.accent, c.pressed);
        EXPECT_EQ(colours.face, c.face) << c.accent << " " << c.pressed;
        EXPECT_EQ(colours.text, c.text) << c.accent << " " << c.pressed;
    }
}

// A check line's colour follows its verdict, whatever its text says; a check
// that could not run is drawn in the colour of the acceptance it started with.
TEST(CheckLineColour, FollowsTheVerdict)
{
    struct Case {
        const char* name;
        CheckVerdict verdict;
        Colour colour;
    } cases[] = {
        {"checking", CheckVerdict::Checking, StatusPendingColour},
        {"passed", CheckVerdict::Passed, StatusOkColour},
        {"failed", CheckVerdict::Failed, StatusFailedColour},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckLineColour(c.verdict), c.colour) << c.name;

    CheckState source{false, CheckVerdict::Checking};
    MarkCheckNotRun(source);
    EXPECT_EQ(CheckLineColour(source.verdict), StatusFailedColour);
    CheckState dlc{true, CheckVerdict::Checking};
    MarkCheckNotRun(dlc);
    EXPECT_EQ(CheckLineColour(dlc.verdict), StatusOkColour);
    EXPECT_TRUE(dlc.accepted);
}

} // namespace
