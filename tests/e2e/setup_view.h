// The launcher's setup window as the end-to-end tests see it from outside.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/names.h"
#include "driver.h"

// The five buttons that could start a run.
inline constexpr int kChoiceButtonIds[] = {IdDiscImage, IdFolder, IdAddDlc, IdClearList, IdBrowse};

inline constexpr COLORREF kPendingColour = RGB(90, 90, 90);
inline constexpr COLORREF kOkColour = RGB(0, 120, 0);
inline constexpr COLORREF kFailedColour = RGB(190, 0, 0);

// The setup window's controls, found by their place in the creation order.
struct SetupWindow {
    HWND window = nullptr;
    HWND Child(size_t index) const { return driver::Children(window).at(index); }
    HWND SourceEdit() const { return Child(2); }
    HWND SourceStatus() const { return Child(5); }
    HWND DlcList() const { return Child(7); }
    HWND DlcStatus() const { return Child(10); }
    HWND DestEdit() const { return Child(12); }
    HWND MainStatus() const { return Child(14); }
    HWND Progress() const { return Child(15); }
    HWND Log() const { return Child(16); }
    HWND ShortcutTick() const { return Child(17); }
    HWND AndroidTick() const { return Child(18); }
    HWND Button(int id) const { return driver::Child(window, id); }
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
    bool InstallEnabled() const { return driver::Enabled(Button(IdMain)); }
    // The run has ended once the choice buttons are back.
    bool WaitForIdle() const { return driver::WaitUntil([&] { return ChoicesEnabled(); }, 30000); }
};

inline bool ShowsOnlyColour(HWND control, COLORREF colour)
{
    if (!driver::ShowsColour(control, colour))
        return false;
    std::vector<COLORREF> pixels = driver::ScreenPixels(control);
    for (COLORREF other : {kPendingColour, kOkColour, kFailedColour})
        if (other != colour && std::find(pixels.begin(), pixels.end(), other) != pixels.end())
            return false;
    return true;
}

