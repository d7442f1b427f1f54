#include "setup/setup_run.h"

#include <windows.h>

#include <iterator>
#include <memory>

#include "base/folder_rules.h"
#include "base/launcher_state.h"
#include "setup/setup_messages.h"
#include "setup/tool_command_line.h"
#include "setup/tool_reader.h"

namespace {

// The buttons that could start a run, in the order they are enabled.
HWND LauncherState::*const kChoiceButtons[] = {
    &LauncherState::discImageButton, &LauncherState::folderButton, &LauncherState::addDlcButton,
    &LauncherState::clearListButton, &LauncherState::browseButton,
};

struct ButtonState {
    HWND button;
    bool enabled;
};

// A button about to be disabled must not keep the focus: the keyboard would
// reach no control. The focus moves to the next Tab stop that stays enabled.
void MoveFocusOffDisabled(const ButtonState* states, size_t count)
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
        next = GetNextDlgTabItem(g_state.setupWindow, next, FALSE);
    while (next && next != focus && disabledSoon(next));
    SetFocus(next && next != focus ? next : g_state.setupWindow);
}

} // namespace

void SetMainButtonState()
{
    const bool idle = g_state.setupPhase == PhaseIdle;
    const bool canInstall = g_state.sourceAccepted && g_state.dlcAccepted && idle;
    const bool choicesEnabled = !g_state.gameInstalled && idle;
    ButtonState states[std::size(kChoiceButtons) + 1];
    size_t count = 0;
    states[count++] = {g_state.mainButton, g_state.gameInstalled || canInstall};
    for (HWND LauncherState::*button : kChoiceButtons)
        states[count++] = {g_state.*button, choicesEnabled};

    MoveFocusOffDisabled(states, count);
    for (size_t i = 0; i < count; ++i)
        EnableWindow(states[i].button, states[i].enabled);
    SetWindowTextW(g_state.mainButton, g_state.gameInstalled ? L"Play" : L"Install");
}

void StartSetupTool(int phase, const std::wstring& arguments)
{
    auto start = std::make_unique<ToolRunStart>();
    start->target = g_state.setupWindow;
    start->commandLine = SetupToolCommandLine(g_state.launcherFolder, arguments);
    start->workingFolder = g_state.launcherFolder + kSetupFolderName;
    g_state.setupPhase = phase;
    SetMainButtonState();
    // No reader means no run: it ends at once, as a tool that could not start.
    if (!StartToolReader(std::move(start)))
        PostMessageW(g_state.setupWindow, WM_SETUP_EXIT, 1, 0);
}
