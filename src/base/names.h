// The names the launcher gives things: the product and its version, the
// window classes and titles, and the control IDs. The windows, the accent
// rule, the tests and the benchmarks take them from here; the resource script
// takes the product name and the version macros for the version record. The
// version macros come from base/version.h, which CMake writes into the build
// folder from the project version.
#pragma once

#include "base/version.h"

#define VANTAROO_PRODUCT_NAME "Vantaroo"

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

// The window property that holds the scale a top-level window's contents are
// laid out at (an integer DPI), which the end-to-end tests read too.
inline constexpr wchar_t kDpiProperty[] = L"VantarooDpi";

// The window property of a setup window that the user closed during a run:
// it is hidden until the run ends, and a second launcher of the same folder
// shows it again instead of opening a window of its own.
inline constexpr wchar_t kHiddenRunProperty[] = L"VantarooHiddenRun";

// Every control of the three windows has an ID: the windows reach their
// controls by it (GetDlgItem), and so do the tests and the benchmarks.
enum ControlId : int {
    // Setup window: the buttons that act, then every other control
    IdDiscImage = 101,
    IdFolder = 102,
    IdAddDlc = 103,
    IdClearList = 104,
    IdBrowse = 105,
    IdInstallOrPlay = 106, // Install until a run has succeeded, then Play
    IdTerms = 107,
    IdIntroText = 108,
    IdSourceLabel = 109,
    IdSourceEdit = 110,
    IdSourceStatus = 111,
    IdDlcLabel = 112,
    IdDlcList = 113,
    IdDlcStatus = 114,
    IdDestLabel = 115,
    IdDestEdit = 116,
    IdMainStatus = 117,
    IdProgress = 118,
    IdLog = 119,
    IdShortcutTick = 120,
    IdAndroidTick = 121,
    // Home window
    IdPlay = 201,
    IdSettings = 202,
    IdSetUpAgain = 203,
    IdStartStraightAway = 204,
    // Settings window: Save, Cancel and the note, then per setting its list
    // (300 + the setting's index) and its label (400 + the index)
    IdSave = 205,
    IdCancel = 206,
    IdSettingsNote = 207,
    IdFirstSettingList = 300,
    IdFirstSettingLabel = 400,
};

#endif
