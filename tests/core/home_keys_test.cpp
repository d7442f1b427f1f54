#include <gtest/gtest.h>

#include "home/home_keys.h"

namespace {

TEST(HomeKeys, OnlyEnterDownWithPlayFocusedInTheForegroundActsAsPlay)
{
    constexpr unsigned kKeyUp = 0x0101;   // WM_KEYUP
    constexpr unsigned kChar = 0x0102;    // WM_CHAR
    constexpr unsigned kSysKeyDown = 0x0104;
    constexpr unsigned kSpace = 0x20;
    constexpr unsigned kEscape = 0x1B;
    struct Case {
        const char* name;
        unsigned message;
        unsigned long long key;
        bool homeInForeground;
        bool playFocused;
        bool expected;
    } cases[] = {
        {"Enter on Play", kKeyDownMessage, kReturnKey, true, true, true},
        {"Enter on another control", kKeyDownMessage, kReturnKey, true, false, false},
        {"Enter while another window is in front", kKeyDownMessage, kReturnKey, false, true, false},
        {"Enter released", kKeyUp, kReturnKey, true, true, false},
        {"Enter as a character", kChar, kReturnKey, true, true, false},
        {"Alt+Enter", kSysKeyDown, kReturnKey, true, true, false},
        {"Space on Play", kKeyDownMessage, kSpace, true, true, false},
        {"Escape on Play", kKeyDownMessage, kEscape, true, true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EnterActsAsPlay(c.message, c.key, c.homeInForeground, c.playFocused), c.expected)
            << c.name;
}

} // namespace
