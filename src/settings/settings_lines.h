// The rules of the game's settings file, qarn.ini: its lines, the setting
// lines among them, the stored values and the merge of the user's choices.
// Bytes are taken as they are: no byte-order mark, no code page conversion.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_catalogue.h"

// The file as an ordered list of lines, each without its line end.
using SettingsLines = std::vector<std::string>;

// For each catalogue entry, in catalogue order, the chosen list index;
// an index outside the entry's choices (CB_ERR, say) means no choice.
using ChosenIndices = std::array<int, kSettingsCatalogueSize>;

// Cuts the text at every LF and drops one CR before it (or at the end of a
// last line without LF). Empty lines stay; a final LF gives no empty line.
SettingsLines SplitSettingsLines(std::string_view text);

// The key of a setting line ("key = value", blanks allowed around the key and
// before the value), or an empty key for a comment ("#" or ";" as the first
// non-blank), a line without "=" or a line starting with "=". Only when the
// key is not empty is value replaced: the text after the "=" and its blanks.
std::string ParseSettingsLine(const std::string& line, std::string& value);

// The integer a value text stands for, by the rules of the C runtime's atoi:
// leading white space, an optional sign, then decimal digits up to the first
// other character; no digits give 0. Digits beyond the range of int saturate
// to INT_MAX or INT_MIN, as the Windows runtime's atoi does, so the game and
// the launcher read the same number.
int SettingValueFromText(std::string_view text);

// The value of the first line whose key equals the setting's key exactly,
// or the setting's default when no line holds it.
int StoredSettingValue(const SettingsLines& lines, const SettingDef& setting);

// The launcher's own form of a setting line: "master_volume = 75".
std::string SettingLine(const SettingDef& setting, int value);

// Puts each valid choice into the lines: every line of that key becomes the
// launcher's line for the choice, or the line is appended when none held the
// key. Other lines, and the lines of keys without a valid choice, stay as
// they are.
void MergeChosenSettings(SettingsLines& lines, const ChosenIndices& chosen);

// Every line followed by one LF; no CR is written.
std::string JoinSettingsLines(const SettingsLines& lines);

// The new content of the settings file for its old content and the choices.
std::string MergedSettingsText(std::string_view oldText, const ChosenIndices& chosen);
