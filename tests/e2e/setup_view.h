// The launcher's setup window as the end-to-end tests see it from outside.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/names.h"
#include "driver.h"
#include "theme/palette.h"

// The five buttons that could start a run.
inline constexpr int kChoiceButtonIds[] = {IdDiscImage, IdFolder, IdAddDlc, IdClearList, IdBrowse};

// The setup window's controls, found by their IDs.
struct SetupWindow {
    HWND window = nullptr;
    HWND Control(int id) const { return driver::Child(window, id); }
    HWND SourceEdit() const { return Control(IdSourceEdit); }
    HWND SourceStatus() const { return Control(IdSourceStatus); }
    HWND DlcList() const { return Control(IdDlcList); }
    HWND DlcStatus() const { return Control(IdDlcStatus); }
    HWND DestEdit() const { return Control(IdDestEdit); }
    HWND MainStatus() const { return Control(IdMainStatus); }
    HWND Progress() const { return Control(IdProgress); }
    HWND Log() const { return Control(IdLog); }
    HWND ShortcutTick() const { return Control(IdShortcutTick); }
    HWND AndroidTick() const { return Control(IdAndroidTick); }
    HWND Button(int id) const { return Control(id); }
    bool ChoicesEnabled() const
    {
        for (int id : kChoiceButtonIds)
            if (!driver::Enabled(Button(id)))
                return false;
        return true;
    }
    bool ChoicesDisabled() const
    {
        for (int id : kChoiceButtonIds)
            if (driver::Enabled(Button(id)))
                return false;
        return true;
    }
    bool InstallEnabled() const { return driver::Enabled(Button(IdInstallOrPlay)); }
    // The run has ended once the choice buttons are back.
    [[nodiscard]] bool WaitForIdle() const
    {
        return driver::WaitUntil([&] { return ChoicesEnabled(); }, 30000);
    }
};

// Whether a check-status line shows this status colour and none of the other two.
[[nodiscard]] inline bool ShowsOnlyColour(HWND control, Colour colour)
{
    if (!driver::ShowsColour(control, colour))
        return false;
    std::vector<COLORREF> pixels = driver::ScreenPixels(control);
    for (Colour other : {StatusPendingColour, StatusOkColour, StatusFailedColour})
        if (other != colour && std::find(pixels.begin(), pixels.end(), other) != pixels.end())
            return false;
    return true;
}
