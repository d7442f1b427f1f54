#include "theme/palette.h"

Scheme SchemeFor(bool highContrast, const SystemColours& system)
{
    if (highContrast)
        return {true, system.window, system.windowText, system.windowText, system.window,
                system.windowText};
    return {false, BackgroundColour, TextColour, DimTextColour, FieldColour, TextColour};
}

ButtonColours ThemedButtonColours(const Scheme& scheme, const SystemColours& system, bool accent,
                                  bool pressed)
{
    if (scheme.highContrast) {
        const int border = accent ? 2 : 1;
        if (pressed)
            return {system.highlight, system.highlightText, system.highlightText, border};
        return {system.buttonFace, system.buttonText, system.buttonText, border};
    }
    if (accent)
        return {pressed ? AccentPressedColour : AccentColour, AccentTextColour, 0, 0};
    return {pressed ? ButtonPressedColour : FieldColour, TextColour, 0, 0};
}

StatusColours StatusColoursFor(bool highContrast, const SystemColours& system)
{
    if (highContrast)
        return {system.grayText, system.buttonText, system.buttonText};
    return {StatusPendingColour, StatusOkColour, StatusFailedColour};
}
