// Which key messages of the home loop stand for Play. Play is an owner-drawn
// button, which the dialog manager does not press on Enter, so the loop does
// it itself.
#pragma once

// The Win32 values, repeated here so the rule needs no system header.
inline constexpr unsigned kKeyDownMessage = 0x0100; // WM_KEYDOWN
inline constexpr unsigned kReturnKey = 0x0D;        // VK_RETURN

// True for Enter pressed while the home window is in the foreground and Play
// has the keyboard focus; any other message takes the ordinary road.
bool EnterActsAsPlay(unsigned message, unsigned long long key, bool homeInForeground,
                     bool playFocused);
