#include <gtest/gtest.h>

#include "base/names.h"
#include "theme/palette.h"

namespace {

TEST(Palette, ColoursAreColorrefValues)
{
    EXPECT_EQ(BackgroundColour, 0x281216u);
    EXPECT_EQ(FieldColour, 0x5C2C34u);
    EXPECT_EQ(AccentColour, 0x1CB8FFu);
    EXPECT_EQ(AccentTextColour, 0x001828u);
    EXPECT_EQ(StatusFailedColour, 0x0000BEu);
}

TEST(Palette, ThemedButtonFaceAndText)
{
    struct Case {
        int id;
        bool pressed;
        Colour face;
        Colour text;
    } cases[] = {
        {IdPlay, false, AccentColour, AccentTextColour},
        {IdPlay, true, AccentPressedColour, AccentTextColour},
        {IdSave, false, AccentColour, AccentTextColour},
        {IdSave, true, AccentPressedColour, AccentTextColour},
        {IdSettings, false, FieldColour, TextColour},
        {IdSettings, true, ButtonPressedColour, TextColour},
        {IdSetUpAgain, true, ButtonPressedColour, TextColour},
        {IdCancel, false, FieldColour, TextColour},
    };
    for (const Case& c : cases) {
        ButtonColours colours = ThemedButtonColours(c.id, c.pressed);
        EXPECT_EQ(colours.face, c.face) << c.id << " " << c.pressed;
        EXPECT_EQ(colours.text, c.text) << c.id << " " << c.pressed;
    }
}

TEST(Palette, StatusLineColourCheckingPrefixWinsThenTheFlag)
{
    struct Case {
        const wchar_t* text;
        bool accepted;
        Colour colour;
    } cases[] = {
        {L"Checking...", true, StatusPendingColour},
        {L"Checking...", false, StatusPendingColour},
        {L"Checking", false, StatusPendingColour},
        {L"checking...", true, StatusOkColour},
        {L"Checkin", false, StatusFailedColour},
        {L"Disc accepted", true, StatusOkColour},
        {L"Not a disc", false, StatusFailedColour},
        {L"", false, StatusFailedColour},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StatusLineColour(c.text, c.accepted), c.colour) << c.text;
}

} // namespace
