#include "theme/palette.h"

ButtonColours ThemedButtonColours(bool accent, bool pressed)
{
    if (accent)
        return {pressed ? AccentPressedColour : AccentColour, AccentTextColour};
    return {pressed ? ButtonPressedColour : FieldColour, TextColour};
}
