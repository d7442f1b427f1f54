#include <gtest/gtest.h>

#include <string>

#include "settings/settings_lines.h"
#include "../default_settings_lines.h"

namespace {

ChosenIndices DefaultChoices()
{
    ChosenIndices chosen{};
    for (int i = 0; i < kSettingsCatalogueSize; ++i)
        chosen[i] = ChoiceIndexForValue(SettingsCatalogue[i], SettingsCatalogue[i].defaultValue);
    return chosen;
}

// No choice for any key but one.
ChosenIndices OnlyChoice(int settingIndex, int choiceIndex)
{
    ChosenIndices chosen;
    chosen.fill(-1);
    chosen[settingIndex] = choiceIndex;
    return chosen;
}

constexpr int kVsync = 3;
constexpr int kVolume = 5;

TEST(MergedSettingsText, NoFileGivesTheTenDefaultLines)
{
    EXPECT_EQ(MergedSettingsText("", DefaultChoices()), kDefaultLines);
}

TEST(MergedSettingsText, ChoicesMergedIntoOldText)
{
    struct Case {
        const char* name;
        std::string oldText;
        ChosenIndices chosen;
        std::string newText;
    } cases[] = {
        {"CR LF becomes LF and nothing else changes",
         "# mine\r\n[Video]\r\nvsync = 1\r\n\r\nother = x \r\n", OnlyChoice(kVsync, 1),
         "# mine\n[Video]\nvsync = 0\n\nother = x \n"},
        {"both lines of one key rewritten in place",
         "vsync = 1\nx = 1\nvsync=0\n", OnlyChoice(kVsync, 0), "vsync = 1\nx = 1\nvsync = 1\n"},
        {"blanks around key and value: rewritten where it stands",
         "a\n \t vsync\t =  1 ; on\nb\n", OnlyChoice(kVsync, 1), "a\nvsync = 0\nb\n"},
        {"a key in other case is kept, the catalogue key appended",
         "VSync = 1\n", OnlyChoice(kVsync, 0), "VSync = 1\nvsync = 1\n"},
        {"a byte-order mark before a key keeps the line and appends",
         "\xEF\xBB\xBFvsync = 1\nx = 2\n", OnlyChoice(kVsync, 1),
         "\xEF\xBB\xBFvsync = 1\nx = 2\nvsync = 0\n"},
        {"comments holding a key are kept and never matched",
         "# vsync = 1\n  ;vsync = 1\n", OnlyChoice(kVsync, 0),
         "# vsync = 1\n  ;vsync = 1\nvsync = 1\n"},
        {"section headers kept, new lines appended at the very end",
         "[Audio]\nmaster_volume = 50\n[Video]\nwidth = 640", OnlyChoice(kVsync, 0),
         "[Audio]\nmaster_volume = 50\n[Video]\nwidth = 640\nvsync = 1\n"},
        {"a last line without LF gets one", "x = 1", OnlyChoice(kVolume, -1), "x = 1\n"},
        {"a negative index leaves the key's lines alone and appends nothing",
         "master_volume = 80 ; odd\r\n", OnlyChoice(kVolume, -1), "master_volume = 80 ; odd\n"},
        {"an index past the choices is no choice either",
         "master_volume = 80\n", OnlyChoice(kVolume, 5), "master_volume = 80\n"},
        {"no choices at all: only the line ends change", "a\r\n\r\nb", OnlyChoice(kVolume, -1),
         "a\n\nb\n"},
        {"the value is written in decimal from the choice",
         "master_volume = 100\n", OnlyChoice(kVolume, 3), "master_volume = 25\n"},
        {"missing keys appended in catalogue order after what is there",
         "fullscreen = 0\nzzz\n", DefaultChoices(),
         "fullscreen = 1\nzzz\ndisplay_mode = 0\nresolution = 0\nsmoothing = 1\nvsync = 0\n"
         "master_volume = 100\ninvert_camera_x = 1\ninvert_look_y = 1\nshadow_enhance = 0\n"
         "grumblets_stay_converted = 0\n"},
        {"empty lines and blank lines kept", "\n  \n\t\nvsync=1\n\n", OnlyChoice(kVsync, 1),
         "\n  \n\t\nvsync = 0\n\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MergedSettingsText(c.oldText, c.chosen), c.newText) << c.name;
}

TEST(MergedSettingsText, SavingTwiceChangesNothingMore)
{
    const std::string once = MergedSettingsText("# x\r\nvsync = 7\r\nfoo\r\n", DefaultChoices());
    EXPECT_EQ(MergedSettingsText(once, DefaultChoices()), once);
}

} // namespace
