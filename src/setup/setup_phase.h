// What the setup tool is doing now; the only record that a run is under way.
#pragma once

enum SetupPhase {
    PhaseIdle = 0,
    PhaseCheckSource = 1,
    PhaseCheckDlc = 2,
    PhaseInstall = 3, // an installation or an update run
};
