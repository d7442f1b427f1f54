// Where the settings window's rows and footer go, in 96-DPI units. The footer
// and the window's height follow from the number of rows, so a catalogue of
// any size gets a window that holds it.
#pragma once

inline constexpr int kSettingsClientWidth = 470;
inline constexpr int kSettingsFirstRowTop = 20;
inline constexpr int kSettingsRowPitch = 38;
// From the end of the last row's pitch to the top of Save and Cancel.
inline constexpr int kSettingsFooterGap = 16;
// From the top of Save and Cancel to the bottom of the client area.
inline constexpr int kSettingsFooterHeight = 58;

constexpr int SettingsRowTop(int row)
{
    return kSettingsFirstRowTop + kSettingsRowPitch * row;
}

constexpr int SettingsFooterTop(int rows)
{
    return SettingsRowTop(rows) + kSettingsFooterGap;
}

constexpr int SettingsClientHeight(int rows)
{
    return SettingsFooterTop(rows) + kSettingsFooterHeight;
}
