#include "setup/setup_run_win.h"

#include <windows.h>

#include <iterator>
#include <memory>

#include "base/folder_rules.h"
#include "base/launcher_state_win.h"
#include "base/names.h"
#include "setup/setup_messages_win.h"
#include "setup/tool_command_line.h"
#include "setup/tool_reader_win.h"
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

} // namespace

void SetMainButtonState(HWND window, const SetupSession& session)
{
    const bool choicesEnabled = !session.gameInstalled && IsIdle(session);
    HWND mainButton = Control(window, IdInstallOrPlay);
    ButtonState states[std::size(kChoiceButtons) + 1];
    size_t count = 0;
    states[count++] = {mainButton, session.gameInstalled || CanInstall(session)};
    for (int id : kChoiceButtons)
        states[count++] = {Control(window, id), choicesEnabled};

    MoveFocusOffDisabled(window, states, count);
    for (size_t i = 0; i < count; ++i)
        EnableWindow(states[i].button, states[i].enabled);
    SetWindowTextW(mainButton, session.gameInstalled ? L"Play" : L"Install");
}

void StartSetupTool(HWND window, SetupSession& session, SetupPhase phase,
                    const std::wstring& arguments)
{
    auto start = std::make_unique<ToolRunStart>();
    start->target = window;
    start->commandLine = SetupToolCommandLine(g_state.launcherFolder, arguments);
    start->workingFolder = g_state.launcherFolder + kSetupFolderName;
    session.phase = phase;
    SetMainButtonState(window, session);
    // No reader means no run: it ends at once, as a tool that could not start.
    if (!StartToolReader(std::move(start)))
        PostMessageW(window, WM_SETUP_EXIT, 1, 0);
}
