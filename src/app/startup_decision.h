// The decision what the launcher does at this start. It asks the world only
// through the probe, so that the order and the conditions of its questions can
// be checked without a file system or a keyboard.
#pragma once

#include <functional>
#include <string>

enum StartupMode {
    ModeDirectStart, // start the game at once, no window
    ModeHome,        // the home window
    ModeSetup,       // the setup window for a new installation
    ModeUpdate,      // the setup window with a rebuild run begun at once
};

struct StartupProbe {
    // The bytes of one read of at most limit bytes; empty when unreadable.
    std::function<std::string(const std::wstring& path, unsigned limit)> readFilePrefix;
    std::function<bool(const std::wstring& path)> pathExists;
    std::function<bool()> shiftHeld;
};

inline constexpr wchar_t kSetupSwitch[] = L"--setup";
inline constexpr wchar_t kSettingsSwitch[] = L"--settings";

// True when the switch occurs anywhere in the command line (case-sensitive).
bool HasSwitch(const std::wstring& commandLine, const wchar_t* switchText);

StartupMode DecideStartupMode(const std::wstring& launcherFolder,
                              const std::wstring& installFolder,
                              const std::wstring& commandLine,
                              const StartupProbe& probe);
