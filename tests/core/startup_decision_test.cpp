#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/startup_decision.h"

namespace {

const std::wstring kLauncher = L"C:\\Rel";
const std::wstring kInstall = L"D:\\Games\\Vantaroo";

// A small world of files and one Shift key, which records what was asked.
struct World {
    std::map<std::wstring, std::string> files;
    std::set<std::wstring> present;
    bool shift = false;
    int shiftQueries = 0;
    std::vector<std::wstring> reads;

    StartupProbe Probe()
    {
        StartupProbe probe;
        probe.readFilePrefix = [this](const std::wstring& path, unsigned limit) {
            reads.push_back(path);
            auto found = files.find(path);
            return found == files.end() ? std::string() : found->second.substr(0, limit);
        };
        probe.pathExists = [this](const std::wstring& path) {
            return present.count(path) > 0 || files.count(path) > 0;
        };
        probe.shiftHeld = [this] {
            ++shiftQueries;
            return shift;
        };
        return probe;
    }
};

struct Installed {
    bool game = false;      // qarn.exe
    bool data = false;      // data\default.xbe
    bool marker = false;
    bool shift = false;
    std::string release;    // setup\version.txt, absent when empty
    std::string installed;  // kit_version.txt, absent when empty
};

StartupMode Decide(const Installed& setup, const std::wstring& commandLine, World* seen = nullptr)
{
    World world;
    if (setup.game)
        world.present.insert(kInstall + L"\\qarn.exe");
    if (setup.data)
        world.present.insert(kInstall + L"\\data\\default.xbe");
    if (setup.marker)
        world.present.insert(kLauncher + L"\\skip_launcher.txt");
    if (!setup.release.empty())
        world.files[kLauncher + L"\\setup\\version.txt"] = setup.release;
    if (!setup.installed.empty())
        world.files[kInstall + L"\\kit_version.txt"] = setup.installed;
    world.shift = setup.shift;
    StartupMode mode = DecideStartupMode(kLauncher, kInstall, commandLine, world.Probe());
    if (seen)
        *seen = world;
    return mode;
}

TEST(StartupDecision, Table)
{
    const std::string v1 = "1.0.0\n";
    const std::string long1 = std::string(64, 'a') + "one";
    const std::string long2 = std::string(64, 'a') + "two";
    struct Case {
        const char* name;
        Installed setup;
        const wchar_t* commandLine;
        StartupMode expected;
    } cases[] = {
        {"nothing installed", {}, L"", ModeSetup},
        {"installed, no marker", {true, true, false, false, v1, v1}, L"", ModeHome},
        {"marker", {true, true, true, false, v1, v1}, L"", ModeDirectStart},
        {"marker with arguments", {true, true, true, false, v1, v1}, L"-x y", ModeDirectStart},
        {"marker and Shift", {true, true, true, true, v1, v1}, L"", ModeHome},
        {"marker and --settings", {true, true, true, false, v1, v1}, L"--settings", ModeHome},
        {"--settings inside a word", {true, true, true, false, v1, v1}, L"a--settingsb", ModeHome},
        {"--settings is not --setup", {true, true, false, false, v1, v1}, L"--settings", ModeHome},
        {"--setup with marker", {true, true, true, false, v1, v1}, L"--setup", ModeSetup},
        {"--setup is case-sensitive", {true, true, true, false, v1, v1}, L"--SETUP", ModeDirectStart},
        {"--setup beats an update", {true, true, false, false, v1, "0.9\n"}, L"--setup", ModeSetup},
        {"versions differ", {true, true, true, false, v1, "0.9\n"}, L"", ModeUpdate},
        {"differ by a line end", {true, true, false, false, "1.0\r\n", "1.0\n"}, L"", ModeUpdate},
        {"differ after 64 bytes", {true, true, true, false, long1, long2}, L"", ModeDirectStart},
        {"no kit_version", {true, true, false, false, v1, ""}, L"", ModeUpdate},
        {"update without qarn.exe", {false, true, false, false, v1, "0.9\n"}, L"", ModeUpdate},
        {"no release version: no update", {true, true, false, false, "", "0.9\n"}, L"", ModeHome},
        {"no data\\default.xbe: no update", {true, false, false, false, v1, "0.9\n"}, L"", ModeHome},
        {"no game, marker", {false, false, true, false, v1, ""}, L"", ModeSetup},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decide(c.setup, c.commandLine), c.expected) << c.name;
}

TEST(StartupDecision, AsksForShiftOnlyWhenTheMarkerExists)
{
    World seen;
    Decide({true, false, false, true, "", ""}, L"", &seen);
    EXPECT_EQ(seen.shiftQueries, 0);
    Decide({true, false, true, true, "", ""}, L"", &seen);
    EXPECT_EQ(seen.shiftQueries, 1);
}

TEST(StartupDecision, ReadsTheInstalledVersionOnlyForTheUpdateTest)
{
    World seen;
    Decide({true, false, false, false, "1\n", "1\n"}, L"", &seen);
    EXPECT_EQ(seen.reads, std::vector<std::wstring>{kLauncher + L"\\setup\\version.txt"});
    Decide({true, true, false, false, "1\n", "1\n"}, L"--setup", &seen);
    EXPECT_EQ(seen.reads.size(), 1u) << "--setup skips the installed version";
    Decide({true, true, false, false, "1\n", "1\n"}, L"", &seen);
    EXPECT_EQ(seen.reads.size(), 2u);
}

} // namespace
