#include "app/startup_decision.h"

#include "base/folder_rules.h"

bool HasSwitch(const std::wstring& commandLine, const wchar_t* switchText)
{
    return commandLine.find(switchText) != std::wstring::npos;
}

StartupMode DecideStartupMode(const std::wstring& launcherFolder,
                              const std::wstring& installFolder,
                              const std::wstring& commandLine,
                              const StartupProbe& probe)
{
    const bool setupAsked = HasSwitch(commandLine, kSetupSwitch);

    // An installed game built by another release is rebuilt first. The
    // version texts are compared as raw bytes: no trimming, no decoding.
    const std::string releaseVersion =
        probe.readFilePrefix(launcherFolder + kReleaseVersionName, kVersionTextLimit);
    if (!releaseVersion.empty() && probe.pathExists(installFolder + kGameDataName)
        && !setupAsked) {
        const std::string installedVersion =
            probe.readFilePrefix(installFolder + kKitVersionName, kVersionTextLimit);
        if (installedVersion != releaseVersion)
            return ModeUpdate;
    }

    if (probe.pathExists(installFolder + kGameExeName) && !setupAsked) {
        // The key state is asked for only when the marker exists, and
        // "--settings" only matters when Shift is not held.
        if (probe.pathExists(launcherFolder + kSkipMarkerName) && !probe.shiftHeld()
            && !HasSwitch(commandLine, kSettingsSwitch))
            return ModeDirectStart;
        return ModeHome;
    }
    return ModeSetup;
}
