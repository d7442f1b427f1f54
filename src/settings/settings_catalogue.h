// The ten game settings the launcher lets the user change: each ties a key of
// qarn.ini to a row label and a short list of choices. Compiled in, constant.
#pragma once

#include <span>
#include <string_view>

inline constexpr int kSettingsCatalogueSize = 10;

struct SettingChoice {
    int value;            // written to the settings file
    const wchar_t* label; // shown in the drop-down list
};

struct SettingDef {
    std::string_view key; // ASCII, compared byte for byte, case-sensitive
    const wchar_t* label; // the row's label in the settings window
    std::span<const SettingChoice> choices; // in the order the list shows them
    int defaultValue;     // taken when the file holds no line for key
};

// In the order of the window's rows; index i is the combo box with ID 300 + i
// and the order in which missing lines are appended to the file.
extern const SettingDef SettingsCatalogue[kSettingsCatalogueSize];

// The index of the choice whose value equals value (the last equal one when
// several do); 0, the first choice, when none does or there are no choices.
int ChoiceIndexForValue(const SettingDef& setting, int value);
