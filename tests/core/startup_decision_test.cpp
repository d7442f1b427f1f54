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

// What is on disk and held down at the start; named so that each case reads
// as a sentence.
struct Installed {
    bool gameExe = false;   // qarn.exe
    bool gameData = false;  // data\default.xbe
    bool marker = false;    // skip_launcher.txt
    bool shift = false;
    std::string release{};   // setup\version.txt, absent when empty
    std::string installed{}; // kit_version.txt, absent when empty
};

StartupMode Decide(const Installed& setup, const std::wstring& commandLine, World* seen = nullptr)
{
    World world;
    if (setup.gameExe)
        world.present.insert(kInstall + L"\\qarn.exe");
    if (setup.gameData)
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
        {"installed, no marker",
         {.gameExe = true, .gameData = true, .release = v1, .installed = v1}, L"", ModeHome},
        {"marker",
         {.gameExe = true, .gameData = true, .marker = true, .release = v1, .installed = v1},
         L"", ModeDirectStart},
        {"marker with arguments",
         {.gameExe = true, .gameData = true, .marker = true, .release = v1, .installed = v1},
         L"-x y", ModeDirectStart},
        {"marker and Shift",
         {.gameExe = true, .gameData = true, .marker = true, .shift = true, .release = v1,
          .installed = v1},
         L"", ModeHome},
        {"marker and --settings",
         {.gameExe = true, .gameData = true, .marker = true, .release = v1, .installed = v1},
         L"--settings", ModeHome},
        {"--settings inside a word",
         {.gameExe = true, .gameData = true, .marker = true, .release = v1, .installed = v1},
         L"a--settingsb", ModeHome},
        {"--settings is not --setup",
         {.gameExe = true, .gameData = true, .release = v1, .installed = v1},
         L"--settings", ModeHome},
        {"--setup with marker",
         {.gameExe = true, .gameData = true, .marker = true, .release = v1, .installed = v1},
         L"--setup", ModeSetup},
        {"--setup is case-sensitive",
         {.gameExe = true, .gameData = true, .marker = true, .release = v1, .installed = v1},
         L"--SETUP", ModeDirectStart},
        {"--setup beats an update",
         {.gameExe = true, .gameData = true, .release = v1, .installed = "0.9\n"},
         L"--setup", ModeSetup},
        {"versions differ",
         {.gameExe = true, .gameData = true, .marker = true, .release = v1, .installed = "0.9\n"},
         L"", ModeUpdate},
        {"differ by a line end",
         {.gameExe = true, .gameData = true, .release = "1.0\r\n", .installed = "1.0\n"},
         L"", ModeUpdate},
        {"differ after 64 bytes",
         {.gameExe = true, .gameData = true, .marker = true, .release = long1, .installed = long2},
         L"", ModeDirectStart},
        {"no kit_version", {.gameExe = true, .gameData = true, .release = v1}, L"", ModeUpdate},
        {"update without qarn.exe",
         {.gameData = true, .release = v1, .installed = "0.9\n"}, L"", ModeUpdate},
        {"no release version: no update",
         {.gameExe = true, .gameData = true, .installed = "0.9\n"}, L"", ModeHome},
        {"no data\\default.xbe: no update",
         {.gameExe = true, .release = v1, .installed = "0.9\n"}, L"", ModeHome},
        {"no game, marker", {.marker = true, .release = v1}, L"", ModeSetup},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decide(c.setup, c.commandLine), c.expected) << c.name;
}

TEST(StartupDecision, AsksForShiftOnlyWhenTheMarkerExists)
{
    World seen;
    Decide({.gameExe = true, .shift = true}, L"", &seen);
    EXPECT_EQ(seen.shiftQueries, 0);
    Decide({.gameExe = true, .marker = true, .shift = true}, L"", &seen);
    EXPECT_EQ(seen.shiftQueries, 1);
}

TEST(StartupDecision, ReadsTheInstalledVersionOnlyForTheUpdateTest)
{
    World seen;
    Decide({.gameExe = true, .release = "1\n", .installed = "1\n"}, L"", &seen);
    EXPECT_EQ(seen.reads, std::vector<std::wstring>{kLauncher + L"\\setup\\version.txt"});
    Decide({.gameExe = true, .gameData = true, .release = "1\n", .installed = "1\n"},
           L"--setup", &seen);
    EXPECT_EQ(seen.reads.size(), 1u) << "--setup skips the installed version";
    Decide({.gameExe = true, .gameData = true, .release = "1\n", .installed = "1\n"}, L"", &seen);
    EXPECT_EQ(seen.reads.size(), 2u);
}

} // namespace
