#include <gtest/gtest.h>

#include <string>

#include "setup/setup_rules.h"

namespace {

std::wstring Text(const wchar_t* text)
{
    return text ? text : L"(none)";
}

// A session in a phase, with both checks as given.
SetupSession SessionIn(SetupPhase phase, bool sourceAccepted = true, bool dlcAccepted = true)
{
    SetupSession session;
    session.phase = phase;
    session.source = {sourceAccepted, sourceAccepted ? CheckVerdict::Passed : CheckVerdict::Failed};
    session.dlc = {dlcAccepted, CheckVerdict::None};
    return session;
}

TEST(SetupRules, TheButtonsFollowThePhaseTheChecksAndTheInstalledGame)
{
    struct Case {
        const char* name;
        SetupPhase phase;
        bool sourceAccepted, dlcAccepted, installed;
        bool choices, main;
        const wchar_t* mainText;
    };
    const Case cases[] = {
        {"idle, nothing accepted", SetupPhase::Idle, false, true, false, true, false, L"Install"},
        {"idle, both accepted", SetupPhase::Idle, true, true, false, true, true, L"Install"},
        {"idle, DLC refused", SetupPhase::Idle, true, false, false, true, false, L"Install"},
        {"checking the source", SetupPhase::CheckSource, true, true, false, false, false, L"Install"},
        {"checking the DLC", SetupPhase::CheckDlc, true, true, false, false, false, L"Install"},
        {"installing", SetupPhase::Install, true, true, false, false, false, L"Install"},
        {"installed: Play, no more choices", SetupPhase::Idle, true, true, true, false, true, L"Play"},
    };
    for (const Case& c : cases) {
        SetupSession session = SessionIn(c.phase, c.sourceAccepted, c.dlcAccepted);
        session.gameInstalled = c.installed;
        const SetupView view = ViewOf(session);
        EXPECT_EQ(view.choicesEnabled, c.choices) << c.name;
        EXPECT_EQ(view.mainEnabled, c.main) << c.name;
        EXPECT_EQ(Text(view.mainText), c.mainText) << c.name;
    }
}

TEST(SetupRules, AResultLineSetsTheVerdictOfTheCheckThatRuns)
{
    struct Case {
        const char* name;
        SetupPhase phase;
        bool passed;
        StatusLine line;
        CheckVerdict source, dlc;
    };
    const Case cases[] = {
        {"source passes", SetupPhase::CheckSource, true, StatusLine::Source, CheckVerdict::Passed,
         CheckVerdict::None},
        {"source fails", SetupPhase::CheckSource, false, StatusLine::Source, CheckVerdict::Failed,
         CheckVerdict::None},
        {"DLC passes", SetupPhase::CheckDlc, true, StatusLine::Dlc, CheckVerdict::Checking,
         CheckVerdict::Passed},
        {"DLC fails", SetupPhase::CheckDlc, false, StatusLine::Dlc, CheckVerdict::Checking,
         CheckVerdict::Failed},
        {"an installation ignores it", SetupPhase::Install, false, StatusLine::None,
         CheckVerdict::Checking, CheckVerdict::None},
    };
    for (const Case& c : cases) {
        SetupSession session;
        session.phase = c.phase;
        session.source = {true, CheckVerdict::Checking};
        EXPECT_EQ(TakeResultLine(session, c.passed), c.line) << c.name;
        EXPECT_EQ(session.source.verdict, c.source) << c.name;
        EXPECT_EQ(session.dlc.verdict, c.dlc) << c.name;
        if (c.line == StatusLine::Source) {
            EXPECT_EQ(session.source.accepted, c.passed) << c.name;
        }
        if (c.line == StatusLine::Dlc) {
            EXPECT_EQ(session.dlc.accepted, c.passed) << c.name;
        }
    }
}

TEST(SetupRules, EachKindOfRunEndsAsItsOutcomeSays)
{
    struct Case {
        const char* name;
        SetupPhase phase;
        bool started;
        std::uint32_t exitCode;
        bool gameExeExists;
        StatusLine line;
        const wchar_t* text;
        bool installed;
    };
    const Case cases[] = {
        {"install built the game", SetupPhase::Install, true, 0, true, StatusLine::None, nullptr,
         true},
        {"install exit 0 without the game", SetupPhase::Install, true, 0, false, StatusLine::Main,
         kFailedText, false},
        {"install exit 2", SetupPhase::Install, true, 2, true, StatusLine::Main, kFailedText, false},
        {"install tool not started", SetupPhase::Install, false, 1, true, StatusLine::Main,
         kFailedText, false},
        {"source check ran", SetupPhase::CheckSource, true, 1, false, StatusLine::None, nullptr,
         false},
        {"source check not started", SetupPhase::CheckSource, false, 1, false, StatusLine::Source,
         kCheckNotRunText, false},
        {"DLC check not started", SetupPhase::CheckDlc, false, 1, false, StatusLine::Dlc,
         kCheckNotRunText, false},
    };
    for (const Case& c : cases) {
        SetupSession session = SessionIn(c.phase);
        const RunEnd end = EndRun(session, c.started, c.exitCode, c.gameExeExists);
        EXPECT_TRUE(IsIdle(session)) << c.name;
        EXPECT_EQ(end.status.line, c.line) << c.name;
        EXPECT_EQ(Text(end.status.text), Text(c.text)) << c.name;
        EXPECT_EQ(end.installed, c.installed) << c.name;
        EXPECT_EQ(session.gameInstalled, c.installed) << c.name;
        EXPECT_FALSE(end.closeWindow) << c.name;
    }
}

// A check that could not run keeps the acceptance it started with, and its
// line's colour says so; one that ran keeps its result line's verdict.
TEST(SetupRules, ACheckThatCouldNotRunKeepsItsAcceptance)
{
    for (bool accepted : {true, false}) {
        SetupSession session = SessionIn(SetupPhase::CheckDlc, true, accepted);
        session.dlc.verdict = CheckVerdict::Checking;
        EndRun(session, false, 1, false);
        EXPECT_EQ(session.dlc.accepted, accepted);
        EXPECT_EQ(session.dlc.verdict, accepted ? CheckVerdict::Passed : CheckVerdict::Failed);
    }
}

TEST(SetupRules, AWindowClosedDuringTheRunGoesWhenItEnds)
{
    for (bool built : {true, false}) {
        SetupSession session = SessionIn(SetupPhase::Install);
        session.closeAtRunEnd = true;
        const RunEnd end = EndRun(session, true, built ? 0 : 2, true);
        EXPECT_TRUE(end.closeWindow);
        EXPECT_EQ(end.installed, built);
    }
}

TEST(SetupRules, ChoicesStartTheirChecks)
{
    SetupSession session;
    const StatusChange source = StartSourceCheck(session);
    EXPECT_EQ(source.line, StatusLine::Source);
    EXPECT_EQ(Text(source.text), kCheckingText);
    EXPECT_FALSE(session.source.accepted);
    EXPECT_EQ(session.source.verdict, CheckVerdict::Checking);

    // An empty DLC list needs no check and is acceptable; any other is checked.
    const DlcListChange empty = ChangeDlcList(session);
    EXPECT_FALSE(empty.runCheck);
    EXPECT_EQ(Text(empty.status.text), L"");
    EXPECT_TRUE(session.dlc.accepted);
    EXPECT_EQ(session.dlc.verdict, CheckVerdict::None);
    session.dlcFolders = {L"D:\\DLC"};
    const DlcListChange some = ChangeDlcList(session);
    EXPECT_TRUE(some.runCheck);
    EXPECT_EQ(some.status.line, StatusLine::Dlc);
    EXPECT_EQ(Text(some.status.text), kCheckingText);
    EXPECT_EQ(session.dlc.verdict, CheckVerdict::Checking);
}

TEST(SetupRules, TheInstalledStatusSaysWhetherTheFolderWasRecorded)
{
    EXPECT_EQ(Text(InstalledText(true)), L"Ready to play.");
    EXPECT_EQ(Text(InstalledText(false)),
              L"Ready to play, but the install folder could not be recorded. The reason is below.");
}

} // namespace
