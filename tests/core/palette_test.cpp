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

// A scheme whose every colour is different, so a swapped colour shows.
constexpr SystemColours kSystem = {
    Rgb(1, 1, 1), Rgb(2, 2, 2), Rgb(3, 3, 3), Rgb(4, 4, 4), Rgb(5, 5, 5), Rgb(6, 6, 6), Rgb(7, 7, 7),
};

TEST(Palette, HighContrastPaintsWithTheSystemsColoursAndOtherwiseDark)
{
    const Scheme dark = SchemeFor(false, kSystem);
    EXPECT_FALSE(dark.highContrast);
    EXPECT_EQ(dark.background, BackgroundColour);
    EXPECT_EQ(dark.text, TextColour);
    EXPECT_EQ(dark.dimText, DimTextColour);
    EXPECT_EQ(dark.field, FieldColour);
    EXPECT_EQ(dark.fieldText, TextColour);

    const Scheme high = SchemeFor(true, kSystem);
    EXPECT_TRUE(high.highContrast);
    EXPECT_EQ(high.background, kSystem.window);
    EXPECT_EQ(high.text, kSystem.windowText);
    EXPECT_EQ(high.dimText, kSystem.windowText) << "no dimmed text in high contrast";
    EXPECT_EQ(high.field, kSystem.window);
    EXPECT_EQ(high.fieldText, kSystem.windowText);
}

TEST(Palette, ThemedButtonColours)
{
    struct Case {
        const char* name;
        bool highContrast, accent, pressed;
        ButtonColours colours;
    } cases[] = {
        {"accent", false, true, false, {AccentColour, AccentTextColour, 0, 0}},
        {"accent pressed", false, true, true, {AccentPressedColour, AccentTextColour, 0, 0}},
        {"plain", false, false, false, {FieldColour, TextColour, 0, 0}},
        {"plain pressed", false, false, true, {ButtonPressedColour, TextColour, 0, 0}},
        {"high contrast accent", true, true, false,
         {kSystem.buttonFace, kSystem.buttonText, kSystem.buttonText, 2}},
        {"high contrast plain", true, false, false,
         {kSystem.buttonFace, kSystem.buttonText, kSystem.buttonText, 1}},
        {"high contrast pressed", true, false, true,
         {kSystem.highlight, kSystem.highlightText, kSystem.highlightText, 1}},
        {"high contrast accent pressed", true, true, true,
         {kSystem.highlight, kSystem.highlightText, kSystem.highlightText, 2}},
    };
    for (const Case& c : cases) {
        const ButtonColours colours =
            ThemedButtonColours(SchemeFor(c.highContrast, kSystem), kSystem, c.accent, c.pressed);
        EXPECT_EQ(colours.face, c.colours.face) << c.name;
        EXPECT_EQ(colours.text, c.colours.text) << c.name;
        EXPECT_EQ(colours.border, c.colours.border) << c.name;
        EXPECT_EQ(colours.borderWidth, c.colours.borderWidth) << c.name;
    }
}

// A check line's colour follows its verdict, whatever its text says; a check
// that could not run is drawn in the colour of the acceptance it started with.
TEST(CheckLineColour, FollowsTheVerdict)
{
    const StatusColours normal = StatusColoursFor(false, kSystem);
    const StatusColours high = StatusColoursFor(true, kSystem);
    struct Case {
        const char* name;
        CheckVerdict verdict;
        Colour colour;
        Colour highContrast;
    } cases[] = {
        {"checking", CheckVerdict::Checking, StatusPendingColour, kSystem.grayText},
        {"passed", CheckVerdict::Passed, StatusOkColour, kSystem.buttonText},
        {"failed", CheckVerdict::Failed, StatusFailedColour, kSystem.buttonText},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckLineColour(c.verdict, normal), c.colour) << c.name;
        EXPECT_EQ(CheckLineColour(c.verdict, high), c.highContrast) << c.name;
    }

    CheckState source{false, CheckVerdict::Checking};
    MarkCheckNotRun(source);
    EXPECT_EQ(CheckLineColour(source.verdict, normal), StatusFailedColour);
    CheckState dlc{true, CheckVerdict::Checking};
    MarkCheckNotRun(dlc);
    EXPECT_EQ(CheckLineColour(dlc.verdict, normal), StatusOkColour);
    EXPECT_TRUE(dlc.accepted);
}

} // namespace
