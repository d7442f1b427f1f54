#include "theme/palette.h"

#include <cwchar>

#include "base/names.h"

ButtonColours ThemedButtonColours(int controlId, bool pressed)
{
    const bool accent = controlId == IdPlay || controlId == IdSave;
    if (accent)
        return {pressed ? AccentPressedColour : AccentColour, AccentTextColour};
    return {pressed ? ButtonPressedColour : FieldColour, TextColour};
}

Colour StatusLineColour(const wchar_t* text, bool accepted)
{
    if (std::wcsncmp(text, L"Checking", 8) == 0)
        return StatusPendingColour;
    return accepted ? StatusOkColour : StatusFailedColour;
}
