// The launcher's colours, as COLORREF values (0x00BBGGRR), and the rules
// that pick what each window paints with: the dark palette, or in high
// contrast the colours the user's scheme chose. No system call is needed.
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

// The colours of the user's scheme that high contrast paints with, as
// GetSysColor gives them.
struct SystemColours {
    Colour window;        // COLOR_WINDOW: backgrounds and fields
    Colour windowText;    // COLOR_WINDOWTEXT
    Colour buttonFace;    // COLOR_BTNFACE
    Colour buttonText;    // COLOR_BTNTEXT
    Colour highlight;     // COLOR_HIGHLIGHT: a pressed button
    Colour highlightText; // COLOR_HIGHLIGHTTEXT
    Colour grayText;      // COLOR_GRAYTEXT: what is not final yet
};

// What a dark window (home, settings) paints with.
struct Scheme {
    bool highContrast;
    Colour background;
    Colour text;
    Colour dimText; // the home window's subtitle
    Colour field;   // behind edits and lists
    Colour fieldText;
};

// The dark palette while high contrast is off; the system's colours while it
// is on (no dimmed text: every text is the scheme's own text colour).
Scheme SchemeFor(bool highContrast, const SystemColours& system);

struct ButtonColours {
    Colour face;
    Colour text;
    Colour border;
    int borderWidth; // in 96-DPI units; 0: no border
};

// An owner-drawn button: an accent button (the window's one main action) or
// a plain one, pressed or not. In high contrast every button has the
// system's button face and text with a border of the text colour, twice as
// wide on the accent button so the main action still stands out; a pressed
// one takes the highlight colours.
ButtonColours ThemedButtonColours(const Scheme& scheme, const SystemColours& system, bool accent,
                                  bool pressed);

// The three colours of the setup window's check lines: pending, passed and
// failed. In high contrast pending is the system's grey text and the
// verdicts are button text (the window's background is the button face):
// the words say which verdict it is.
struct StatusColours {
    Colour pending;
    Colour passed;
    Colour failed;
};
StatusColours StatusColoursFor(bool highContrast, const SystemColours& system);
