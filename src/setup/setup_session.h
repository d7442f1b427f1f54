// What the setup window knows while it is open: the run under way, the
// verdict of each check, the user's choices and the log. The window owns one
// record; the reader thread of a run never sees it.
#pragma once

#include <string>
#include <vector>

#include "setup/log_model.h"
#include "theme/palette.h"

// What the setup tool is doing now; the only record that a run is under way.
enum class SetupPhase {
    Idle,
    CheckSource,
    CheckDlc,
    Install, // an installation or an update run
};

// What a check-status line shows, and so its colour.
enum class CheckVerdict {
    None,     // nothing to show
    Checking, // the check runs, or ended without a verdict
    Passed,
    Failed,
};

// One check (the source, or the DLC list): whether its choice may be
// installed, and the verdict its status line shows. The two differ only when
// a check ends without a verdict: the line keeps "Checking..." while the
// choice keeps the acceptance the check started with.
struct CheckState {
    bool accepted;
    CheckVerdict verdict = CheckVerdict::None;
};

struct SetupSession {
    SetupPhase phase = SetupPhase::Idle;
    CheckState source{false};
    CheckState dlc{true}; // an empty list is acceptable
    bool gameInstalled = false;
    // The user closed the window during a run and answered Yes: the window
    // is off the screen, and goes when the run ends.
    bool closeAtRunEnd = false;
    std::wstring sourcePath;
    std::wstring installFolder; // where the next installation builds the game
    std::vector<std::wstring> dlcFolders;
    LogModel log;
    LogView logView;
};

// A check has ended: its result line decides, when there was one.
void SetCheckVerdict(CheckState& check, bool passed);

// A check whose tool could not be started: the line says so in the colour
// of the acceptance the check started with.
void MarkCheckNotRun(CheckState& check);

// The text colour of a check-status line showing this verdict.
Colour CheckLineColour(CheckVerdict verdict, const StatusColours& colours);

bool IsIdle(const SetupSession& session);

// Install may be pressed: both checks accept and no run is under way.
bool CanInstall(const SetupSession& session);
