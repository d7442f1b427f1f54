// The names the launcher gives things: the product and its version, the
// window classes and titles, and the control IDs. The windows, the accent
// rule, the tests and the benchmarks take them from here; the resource script
// takes the product name and the version macros for the version record.
#pragma once

#define VANTAROO_PRODUCT_NAME "Vantaroo"
#define VANTAROO_VERSION_MAJOR 1
#define VANTAROO_VERSION_MINOR 0
#define VANTAROO_VERSION_PATCH 0
#define VANTAROO_VERSION_TEXT "1.0.0.0"

#ifndef RC_INVOKED

// The game's title: the home window's title and painted name, the desktop
// shortcut's name and description, the last level of a chosen install folder
// and the caption of the settings warning.
inline constexpr wchar_t kGameTitle[] = L"" VANTAROO_PRODUCT_NAME;

inline constexpr wchar_t kHomeClassName[] = L"qarnhome";
inline constexpr wchar_t kSettingsClassName[] = L"qarnsettings";
inline constexpr wchar_t kSetupClassName[] = L"qarnsetup";

inline constexpr wchar_t kHomeTitle[] = L"" VANTAROO_PRODUCT_NAME;
inline constexpr wchar_t kSettingsTitle[] = L"Settings";
inline constexpr wchar_t kSetupTitle[] = L"" VANTAROO_PRODUCT_NAME " setup";

enum ControlId : int {
    // Setup window
    IdDiscImage = 101,
    IdFolder = 102,
    IdAddDlc = 103,
    IdClearList = 104,
    IdBrowse = 105,
    IdMain = 106,
    IdTerms = 107,
    // Home window
    IdPlay = 201,
    IdSettings = 202,
    IdSetUpAgain = 203,
    IdStartStraightAway = 204,
    // Settings window: Save and Cancel, then one list per setting, 300 + its index
    IdSave = 205,
    IdCancel = 206,
    IdFirstSettingList = 300,
};

#endif
