#pragma once

#include <string>

// Starts qarn.exe from the install folder with the extra arguments after its
// quoted path; the install folder is its current directory. Returns whether
// the process was created. Never waits for the game.
bool StartGame(const std::wstring& extraArguments);
