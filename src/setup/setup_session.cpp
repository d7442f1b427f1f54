#include "setup/setup_session.h"

void SetCheckVerdict(CheckState& check, bool passed)
{
    check.accepted = passed;
    check.verdict = passed ? CheckVerdict::Passed : CheckVerdict::Failed;
}

void MarkCheckNotRun(CheckState& check)
{
    check.verdict = check.accepted ? CheckVerdict::Passed : CheckVerdict::Failed;
}

bool IsIdle(const SetupSession& session)
{
    return session.phase == SetupPhase::Idle;
}

bool CanInstall(const SetupSession& session)
{
    return session.source.accepted && session.dlc.accepted && IsIdle(session);
}

Colour CheckLineColour(CheckVerdict verdict, const StatusColours& colours)
{
    switch (verdict) {
    case CheckVerdict::Checking:
        return colours.pending;
    case CheckVerdict::Passed:
        return colours.passed;
    case CheckVerdict::None:
    case CheckVerdict::Failed:
        break;
    }
    return colours.failed;
}
