#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/settings_catalogue.h"
#include "setting_lookup.h"

namespace {

// One entry as text, so a wrong key, label, value or order shows at a glance.
std::wstring Describe(const SettingDef& setting)
{
    std::wstring text(setting.key.begin(), setting.key.end());
    text += L" | ";
    text += setting.label;
    text += L" |";
    for (const SettingChoice& choice : setting.choices)
        text += L" " + std::to_wstring(choice.value) + L"=" + choice.label + L";";
    text += L" default " + std::to_wstring(setting.defaultValue);
    return text;
}

TEST(SettingsCatalogue, TheTenEntriesInRowOrder)
{
    const wchar_t* expected[kSettingsCatalogueSize] = {
        L"display_mode | Display | 0=Original 4:3; 1=Widescreen; 2=Stretch; 3=Sharp Pixels; default 0",
        L"resolution | Resolution | 0=Match Screen; 1=Original (640 x 480); 2=2x; 3=3x; 4=4x; default 0",
        L"smoothing | Smoothing | 1=On; 0=Off; default 1",
        L"vsync | V-Sync | 1=On; 0=Off; default 0",
        L"fullscreen | Fullscreen | 1=On; 0=Off; default 1",
        L"master_volume | Volume | 100=100%; 75=75%; 50=50%; 25=25%; 0=Off; default 100",
        L"invert_camera_x | Camera Turn | 1=Modern; 0=Original; default 1",
        L"invert_look_y | Look Up/Down | 1=Modern; 0=Original (flight style); default 1",
        L"shadow_enhance | Shadow Overlap | 0=Original; 20=Light; 35=Medium; 50=Strong; default 0",
        L"grumblets_stay_converted | Grumblets | 0=Come back (original); 1=Stay converted; default 0",
    };
    for (int i = 0; i < kSettingsCatalogueSize; ++i)
        EXPECT_EQ(Describe(SettingsCatalogue[i]), expected[i]) << "index " << i;
}

TEST(SettingsCatalogue, ValuesAreDistinctAndKeysArePlainLowerCase)
{
    std::set<std::string_view> keys;
    for (const SettingDef& setting : SettingsCatalogue) {
        std::set<int> values;
        for (const SettingChoice& choice : setting.choices)
            EXPECT_TRUE(values.insert(choice.value).second) << setting.key << " " << choice.value;
        EXPECT_EQ(values.count(setting.defaultValue), 1u) << setting.key;
        EXPECT_TRUE(keys.insert(setting.key).second) << setting.key;
        for (char c : setting.key)
            EXPECT_TRUE((c >= 'a' && c <= 'z') || c == '_') << setting.key;
    }
}

TEST(ChoiceIndexForValue, StoredValueToListIndex)
{
    struct Case {
        const char* key;
        int value;
        int index;
    } cases[] = {
        {"master_volume", 80, 0},   // no such choice: the first, "100%"
        {"master_volume", 25, 3},
        {"master_volume", 0, 4},    // "Off", the last choice
        {"vsync", 7, 0},            // "On", although vsync defaults to "Off"
        {"vsync", 0, 1},
        {"shadow_enhance", 20, 1},
        {"shadow_enhance", 2, 0},
        {"shadow_enhance", 50, 3},
        {"resolution", -1, 0},
        {"resolution", 4, 4},
        {"smoothing", 2147483647, 0},
        {"grumblets_stay_converted", 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChoiceIndexForValue(Setting(c.key), c.value), c.index) << c.key << " " << c.value;
}

TEST(ChoiceIndexForValue, EveryDefaultMapsToItsNamedChoice)
{
    const wchar_t* defaultLabels[kSettingsCatalogueSize] = {
        L"Original 4:3", L"Match Screen", L"On", L"Off", L"On",
        L"100%", L"Modern", L"Modern", L"Original", L"Come back (original)"};
    for (int i = 0; i < kSettingsCatalogueSize; ++i) {
        const SettingDef& setting = SettingsCatalogue[i];
        const int index = ChoiceIndexForValue(setting, setting.defaultValue);
        EXPECT_STREQ(setting.choices[index].label, defaultLabels[i]) << setting.key;
    }
}

TEST(ChoiceIndexForValue, LastEqualChoiceWinsAndNoChoicesGiveZero)
{
    const SettingChoice repeated[] = {{5, L"a"}, {6, L"b"}, {5, L"c"}};
    EXPECT_EQ(ChoiceIndexForValue({"x", L"X", repeated, 5}, 5), 2);
    EXPECT_EQ(ChoiceIndexForValue({"x", L"X", {}, 0}, 0), 0);
}

} // namespace
