#include "setup/setup_view_win.h"

#include <iterator>

#include "base/names.h"
#include "theme/live_region_win.h"
#include "theme/window_builder_win.h"

namespace {

// The buttons that could start a run, in the order they are enabled.
constexpr int kChoiceButtons[] = {IdDiscImage, IdFolder, IdAddDlc, IdClearList, IdBrowse};

struct ButtonState {
    HWND button;
    bool enabled;
};

// A button about to be disabled must not keep the focus: the keyboard would
// reach no control. The focus moves to the next Tab stop that stays enabled.
void MoveFocusOffDisabled(HWND window, const ButtonState* states, size_t count)
{
    HWND focus = GetFocus();
    auto disabledSoon = [&](HWND window) {
        for (size_t i = 0; i < count; ++i)
            if (states[i].button == window)
                return !states[i].enabled;
        return false;
    };
    if (!focus || !disabledSoon(focus))
        return;
    HWND next = focus;
    do
        next = GetNextDlgTabItem(window, next, FALSE);
    while (next && next != focus && disabledSoon(next));
    SetFocus(next && next != focus ? next : window);
}

constexpr StatusLine kStatusLines[] = {StatusLine::Source, StatusLine::Dlc, StatusLine::Main};

HWND StatusControl(HWND window, StatusLine line)
{
    switch (line) {
    case StatusLine::Source:
        return Control(window, IdSourceStatus);
    case StatusLine::Dlc:
        return Control(window, IdDlcStatus);
    case StatusLine::Main:
        return Control(window, IdMainStatus);
    case StatusLine::None:
        break;
    }
    return nullptr;
}

} // namespace

void ApplyStatusChange(HWND window, StatusChange change)
{
    if (HWND control = StatusControl(window, change.line))
        SetLiveText(control, change.text);
}

void ApplySetupView(HWND window, const SetupSession& session)
{
    const SetupView view = ViewOf(session);
    HWND mainButton = Control(window, IdInstallOrPlay);
    ButtonState states[std::size(kChoiceButtons) + 1];
    size_t count = 0;
    states[count++] = {mainButton, view.mainEnabled};
    for (int id : kChoiceButtons)
        states[count++] = {Control(window, id), view.choicesEnabled};

    MoveFocusOffDisabled(window, states, count);
    for (size_t i = 0; i < count; ++i)
        EnableWindow(states[i].button, states[i].enabled);
    SetWindowTextW(mainButton, view.mainText);
}


void MarkStatusLinesLive(HWND window)
{
    for (StatusLine line : kStatusLines)
        MarkLiveRegion(StatusControl(window, line));
}

void UnmarkStatusLines(HWND window)
{
    for (StatusLine line : kStatusLines)
        UnmarkLiveRegion(StatusControl(window, line));
}
