// The names other programs and the user see: they must never change by
// accident, so their values are pinned here once.
#include <gtest/gtest.h>

#include <string>

#include "base/names.h"

namespace {

TEST(Names, ControlIdsKeepTheirNumbers)
{
    struct Case {
        ControlId id;
        int number;
    } cases[] = {
        {IdDiscImage, 101},     {IdFolder, 102},         {IdAddDlc, 103},
        {IdClearList, 104},     {IdBrowse, 105},         {IdInstallOrPlay, 106},
        {IdTerms, 107},         {IdIntroText, 108},      {IdSourceLabel, 109},
        {IdSourceEdit, 110},    {IdSourceStatus, 111},   {IdDlcLabel, 112},
        {IdDlcList, 113},       {IdDlcStatus, 114},      {IdDestLabel, 115},
        {IdDestEdit, 116},      {IdMainStatus, 117},     {IdProgress, 118},
        {IdLog, 119},           {IdShortcutTick, 120},   {IdAndroidTick, 121},
        {IdPlay, 201},          {IdSettings, 202},       {IdSetUpAgain, 203},
        {IdStartStraightAway, 204}, {IdSave, 205},       {IdCancel, 206},
        {IdSettingsNote, 207},  {IdFirstSettingList, 300}, {IdFirstSettingLabel, 400},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(c.id), c.number);
}

TEST(Names, ClassesTitlesAndVersion)
{
    EXPECT_EQ(std::wstring(kHomeClassName), L"qarnhome");
    EXPECT_EQ(std::wstring(kSettingsClassName), L"qarnsettings");
    EXPECT_EQ(std::wstring(kSetupClassName), L"qarnsetup");
    EXPECT_EQ(std::wstring(kGameTitle), L"Vantaroo");
    EXPECT_EQ(std::wstring(kHomeTitle), L"Vantaroo");
    EXPECT_EQ(std::wstring(kSettingsTitle), L"Settings");
    EXPECT_EQ(std::wstring(kSetupTitle), L"Vantaroo setup");
    EXPECT_EQ(std::string(VANTAROO_VERSION_TEXT),
              std::to_string(VANTAROO_VERSION_MAJOR) + "." + std::to_string(VANTAROO_VERSION_MINOR)
                  + "." + std::to_string(VANTAROO_VERSION_PATCH) + ".0");
}

} // namespace
