// The setup window's rules over its session: what a check's start, a result
// line and the end of each kind of run do, what the status lines say, and
// which buttons are enabled with what label. Each rule changes the session
// and returns what the window must show; the Win32 files only apply it.
#pragma once

#include <cstdint>

#include "setup/setup_session.h"

// A status line of the setup window.
enum class StatusLine {
    None,
    Source, // below the source choice: the source check's verdict
    Dlc,    // below the DLC list: the DLC check's verdict
    Main,   // above the bar: the installation's status
};

// A status line and its new text; line None changes nothing.
struct StatusChange {
    StatusLine line = StatusLine::None;
    const wchar_t* text = nullptr;
};

inline constexpr wchar_t kCheckingText[] = L"Checking...";
inline constexpr wchar_t kCheckNotRunText[] = L"The check could not run.";
inline constexpr wchar_t kReadyText[] = L"Ready to play.";
inline constexpr wchar_t kFailedText[] = L"Setup did not finish. The reason is below.";
inline constexpr wchar_t kNotRecordedText[] =
    L"Ready to play, but the install folder could not be recorded. The reason is below.";
// The log's last line after kNotRecordedText, before the system's reason.
inline constexpr wchar_t kNotRecordedReasonText[] =
    L"The install folder could not be recorded, so the next start will not find the game: ";
inline constexpr wchar_t kUpdatingText[] = L"Updating the game to this version...";

// The buttons as the session has them.
struct SetupView {
    bool choicesEnabled; // the five buttons that could start a run
    bool mainEnabled;    // Install or Play
    const wchar_t* mainText;
};
SetupView ViewOf(const SetupSession& session);

// A source was chosen: its check starts, the choice not yet accepted.
StatusChange StartSourceCheck(SetupSession& session);

// The DLC list changed: true when a check of it must run (the list is not
// empty). An empty list is acceptable as it is and shows nothing.
struct DlcListChange {
    bool runCheck;
    StatusChange status;
};
DlcListChange ChangeDlcList(SetupSession& session);

// A result line of the tool ("@R"): during a check, its verdict and its text
// go to that check's line; during an installation it changes nothing.
StatusLine TakeResultLine(SetupSession& session, bool passed);

// What the end of a run asks of the window besides its status change.
struct RunEnd {
    StatusChange status;
    // An installation or update run built the game: the folder is to be
    // recorded (the status then follows InstalledText) and the desktop
    // shortcut made if it is ticked.
    bool installed = false;
    // The user closed the window during the run: it goes now.
    bool closeWindow = false;
};
// The run has ended: started is false when the tool could not be started;
// gameExeExists says whether the install folder now holds the game.
RunEnd EndRun(SetupSession& session, bool started, std::uint32_t exitCode, bool gameExeExists);

// The main status after a successful installation, by whether its folder
// was recorded.
const wchar_t* InstalledText(bool recorded);
