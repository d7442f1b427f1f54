#include "setup/setup_rules.h"

SetupView ViewOf(const SetupSession& session)
{
    SetupView view;
    view.choicesEnabled = !session.gameInstalled && IsIdle(session);
    view.mainEnabled = session.gameInstalled || CanInstall(session);
    view.mainText = session.gameInstalled ? L"Play" : L"Install";
    return view;
}

StatusChange StartSourceCheck(SetupSession& session)
{
    session.source = {false, CheckVerdict::Checking};
    return {StatusLine::Source, kCheckingText};
}

DlcListChange ChangeDlcList(SetupSession& session)
{
    if (session.dlcFolders.empty()) {
        session.dlc = {true, CheckVerdict::None};
        return {false, {StatusLine::Dlc, L""}};
    }
    session.dlc = {true, CheckVerdict::Checking};
    return {true, {StatusLine::Dlc, kCheckingText}};
}

StatusLine TakeResultLine(SetupSession& session, bool passed)
{
    switch (session.phase) {
    case SetupPhase::CheckSource:
        SetCheckVerdict(session.source, passed);
        return StatusLine::Source;
    case SetupPhase::CheckDlc:
        SetCheckVerdict(session.dlc, passed);
        return StatusLine::Dlc;
    case SetupPhase::Idle:
    case SetupPhase::Install:
        break;
    }
    return StatusLine::None;
}

RunEnd EndRun(SetupSession& session, bool started, std::uint32_t exitCode, bool gameExeExists)
{
    const SetupPhase ended = session.phase;
    session.phase = SetupPhase::Idle;
    RunEnd end;
    end.closeWindow = session.closeAtRunEnd;
    switch (ended) {
    case SetupPhase::Install:
        session.gameInstalled = started && exitCode == 0 && gameExeExists;
        end.installed = session.gameInstalled;
        if (!session.gameInstalled)
            end.status = {StatusLine::Main, kFailedText};
        break;
    case SetupPhase::CheckSource:
    case SetupPhase::CheckDlc:
        // A check's verdict comes only from its result line; its acceptance
        // stays. One that could not run says so.
        if (!started) {
            CheckState& check = ended == SetupPhase::CheckSource ? session.source : session.dlc;
            MarkCheckNotRun(check);
            end.status = {ended == SetupPhase::CheckSource ? StatusLine::Source : StatusLine::Dlc,
                          kCheckNotRunText};
        }
        break;
    case SetupPhase::Idle:
        break;
    }
    return end;
}

const wchar_t* InstalledText(bool recorded)
{
    return recorded ? kReadyText : kNotRecordedText;
}
