#include "settings/settings_catalogue.h"

namespace {

constexpr SettingChoice kDisplayModeChoices[] = {
    {0, L"Original 4:3"}, {1, L"Widescreen"}, {2, L"Stretch"}, {3, L"Sharp Pixels"}};
constexpr SettingChoice kResolutionChoices[] = {
    {0, L"Match Screen"}, {1, L"Original (640 x 480)"}, {2, L"2x"}, {3, L"3x"}, {4, L"4x"}};
constexpr SettingChoice kOnOffChoices[] = {{1, L"On"}, {0, L"Off"}};
constexpr SettingChoice kVolumeChoices[] = {
    {100, L"100%"}, {75, L"75%"}, {50, L"50%"}, {25, L"25%"}, {0, L"Off"}};
constexpr SettingChoice kCameraTurnChoices[] = {{1, L"Modern"}, {0, L"Original"}};
constexpr SettingChoice kLookChoices[] = {{1, L"Modern"}, {0, L"Original (flight style)"}};
constexpr SettingChoice kShadowChoices[] = {
    {0, L"Original"}, {20, L"Light"}, {35, L"Medium"}, {50, L"Strong"}};
constexpr SettingChoice kGrumbletChoices[] = {{0, L"Come back (original)"}, {1, L"Stay converted"}};

} // namespace

const SettingDef SettingsCatalogue[kSettingsCatalogueSize] = {
    {"display_mode", L"Display", kDisplayModeChoices, 0},
    {"resolution", L"Resolution", kResolutionChoices, 0},
    {"smoothing", L"Smoothing", kOnOffChoices, 1},
    {"vsync", L"V-Sync", kOnOffChoices, 0},
    {"fullscreen", L"Fullscreen", kOnOffChoices, 1},
    {"master_volume", L"Volume", kVolumeChoices, 100},
    {"invert_camera_x", L"Camera Turn", kCameraTurnChoices, 1},
    {"invert_look_y", L"Look Up/Down", kLookChoices, 1},
    {"shadow_enhance", L"Shadow Overlap", kShadowChoices, 0},
    {"grumblets_stay_converted", L"Grumblets", kGrumbletChoices, 0},
};

int ChoiceIndexForValue(const SettingDef& setting, int value)
{
    int found = 0;
    for (std::size_t i = 0; i < setting.choices.size(); ++i) {
        if (setting.choices[i].value == value)
            found = static_cast<int>(i);
    }
    return found;
}
