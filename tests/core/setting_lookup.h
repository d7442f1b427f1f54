// Finds a catalogue entry by its key, so tests can name settings by key.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "settings/settings_catalogue.h"

inline const SettingDef& Setting(std::string_view key)
{
    for (const SettingDef& setting : SettingsCatalogue)
        if (setting.key == key)
            return setting;
    ADD_FAILURE() << "no setting " << key;
    return SettingsCatalogue[0];
}
