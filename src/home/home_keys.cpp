#include "home/home_keys.h"

bool EnterActsAsPlay(unsigned message, unsigned long long key, bool homeInForeground,
                     bool playFocused)
{
    return message == kKeyDownMessage && key == kReturnKey && homeInForeground && playFocused;
}
