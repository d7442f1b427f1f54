// Reading and saving the game's settings file, qarn.ini in the install folder.
#pragma once

#include <string>

#include "settings/settings_lines.h"

// The install folder followed by "\qarn.ini".
std::wstring SettingsFilePath();

// The file's lines; none when it does not exist or cannot be opened. What was
// read before a read error is kept.
SettingsLines ReadSettingsLines(const std::wstring& path);

// Reads the file afresh, merges the chosen indices into it and replaces it in
// one step. Returns false, with the file exactly as it was, when the file is
// read-only, exists but cannot be read to its end, or the new content cannot
// be written in full or moved into place. A missing file is created.
bool WriteSettingsFile(const std::wstring& path, const ChosenIndices& chosen);
