// The launcher's colours, as COLORREF values (0x00BBGGRR), and the rule that
// picks a button's colours. No system call is needed for either.
#pragma once

#include <cstdint>

using Colour = std::uint32_t; // same layout as a Win32 COLORREF

constexpr Colour Rgb(unsigned red, unsigned green, unsigned blue)
{
    return red | (green << 8) | (blue << 16);
}

inline constexpr Colour BackgroundColour = Rgb(22, 18, 40);
inline constexpr Colour TextColour = Rgb(244, 240, 255);
inline constexpr Colour DimTextColour = Rgb(176, 168, 206);
inline constexpr Colour FieldColour = Rgb(52, 44, 92);
inline constexpr Colour ButtonPressedColour = Rgb(72, 62, 122);
inline constexpr Colour AccentColour = Rgb(255, 184, 28);
inline constexpr Colour AccentPressedColour = Rgb(220, 150, 10);
inline constexpr Colour AccentTextColour = Rgb(40, 24, 0);
inline constexpr Colour StatusPendingColour = Rgb(90, 90, 90);
inline constexpr Colour StatusOkColour = Rgb(0, 120, 0);
inline constexpr Colour StatusFailedColour = Rgb(190, 0, 0);

struct ButtonColours {
    Colour face;
    Colour text;
};

// Face and text of an owner-drawn button: an accent button (the window's one
// main action) or a plain one, pressed or not.
ButtonColours ThemedButtonColours(bool accent, bool pressed);
