// Start-up roads of the real launcher under Wine.
#include <gtest/gtest.h>

#include "base/names.h"
#include "driver.h"
#include "release.h"
#include "text_wait.h"

namespace {

constexpr wchar_t kMissingSetupText[] =
    L"The setup folder is missing. Unpack the whole release into one folder.";

enum class Run { None, HeldUpdate };

// Closes the window. During a held update run the setup window asks first;
// Yes closes it, and the launcher then waits for the run: the rebuild is
// let go.
void CloseAndExpectExitZero(Release& release, const Launched& launched, HWND window, Run run)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (run == Run::HeldUpdate) {
        HWND question = driver::WaitForDialog(launched.processId, kSetupTitle, 5000);
        ASSERT_NE(question, nullptr) << "closing during the update run did not ask within 5 s";
        driver::AnswerDialog(question, IDYES);
        WriteBytes(release.DefaultInstallFolder() + L".go", "");
    }
    EXPECT_EQ(release.WaitForExit(launched), 0u);
}

TEST(DirectStart, HandsTheLaunchersArgumentTextToTheGameExactly)
{
    struct Case {
        const wchar_t* arguments;
    } cases[] = {{L""}, {L"--fullscreen \"a b\\\\\" x"}, {L"two  blanks\t\"q\"  "}};
    for (const Case& c : cases) {
        Release release;
        const std::wstring install = release.DefaultInstallFolder();
        release.InstallGame(install);
        release.SetSkipMarker(true);

        Launched launched = release.Start(c.arguments);
        ASSERT_EQ(release.WaitForExit(launched), 0u) << c.arguments;
        EXPECT_TRUE(driver::TopWindows(launched.processId).empty());
        ASSERT_TRUE(driver::WaitUntil([&] { return !release.GameStarts().empty(); }))
            << "the game did not start";
        auto starts = release.GameStarts();
        ASSERT_EQ(starts.size(), 1u) << c.arguments;
        EXPECT_EQ(starts[0].commandLine, L"\"" + install + L"\\qarn.exe\" " + c.arguments);
        EXPECT_EQ(starts[0].folder, install);
    }
}

TEST(DirectStart, UsesTheFolderThatInstallLocationNames)
{
    Release release;
    const std::wstring install = release.Folder() + L"\\Games Here\\Vantaroo";
    release.InstallGame(install);
    release.WriteInstallLocation(install);
    release.SetSkipMarker(true);

    Launched launched = release.Start();
    ASSERT_EQ(release.WaitForExit(launched), 0u);
    ASSERT_TRUE(driver::WaitUntil([&] { return !release.GameStarts().empty(); }))
        << "the game did not start";
    auto starts = release.GameStarts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].commandLine, L"\"" + install + L"\\qarn.exe\" ");
    EXPECT_EQ(starts[0].folder, install);
}

// An install_location.txt written with its C terminator names the folder
// before the zero: the game is found there, with no update run at every
// start, and starts from there.
TEST(DirectStart, AnInstallLocationEndingInAZeroNamesTheFolderBeforeIt)
{
    Release release;
    const std::wstring install = release.Folder() + L"\\Games Here\\Vantaroo";
    release.InstallGame(install);
    release.WriteInstallLocation(install + std::wstring(1, L'\0'));
    ASSERT_EQ(ReadBytes(release.Folder() + L"\\install_location.txt").size(), install.size() * 2 + 2);

    Launched launched = release.Start();
    HWND home = driver::WaitForTopWindow(launched.processId, kHomeClassName);
    ASSERT_NE(home, nullptr) << "the home window, not the setup window";
    driver::ClickId(home, IdPlay);
    ASSERT_EQ(release.WaitForExit(launched), 0u);
    ASSERT_TRUE(driver::WaitUntil([&] { return !release.GameStarts().empty(); }));
    EXPECT_EQ(release.GameStarts()[0].commandLine, L"\"" + install + L"\\qarn.exe\" ");
    EXPECT_EQ(release.GameStarts()[0].folder, install);
}

// A rebuild that waits for "<install folder>.go" before it ends, so that the
// update run's status stays on the window until the test lets it go.
constexpr char kHeldRebuild[] = "[rebuild]\nprint rebuilding\nwait-for ${dest}.go\n";
constexpr wchar_t kUpdatingText[] = L"Updating the game to this version...";

bool RebuildStarted(const Release& release)
{
    for (const StartRecord& start : release.ToolStarts())
        if (start.commandLine.find(L" --rebuild ") != std::wstring::npos)
            return true;
    return false;
}

// Which window each start-up road ends in.
TEST(StartupRoads, EachStartTakesItsRoad)
{
    enum Window { Home, Setup, Update };
    struct Case {
        const char* name;
        bool gameInstalled;
        bool marker;
        const char* kitVersion; // empty: the release's own version text
        const wchar_t* arguments;
        Window expected;
    } cases[] = {
        {"installed, no marker", true, false, "", L"", Home},
        {"--settings with the marker", true, true, "", L"--settings", Home},
        {"--settings inside a word", true, true, "", L"x--settingsy", Home},
        {"--setup with the marker", true, true, "", L"--setup", Setup},
        {"--setup beats an update", true, false, "0.9.0\n", L"--setup", Setup},
        {"no game", false, false, "", L"", Setup},
        {"no game, --settings", false, true, "", L"--settings", Setup},
        {"versions differ", true, false, "0.9.0\n", L"", Update},
        {"versions differ by a line end", true, true, "1.0.0\r\n", L"", Update},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Release release;
        release.WriteScenario(kHeldRebuild);
        if (c.gameInstalled)
            release.InstallGame(release.DefaultInstallFolder(), c.kitVersion);
        release.SetSkipMarker(c.marker);

        Launched launched = release.Start(c.arguments);
        const wchar_t* className = c.expected == Home ? kHomeClassName : kSetupClassName;
        HWND window = driver::WaitForTopWindow(launched.processId, className);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(driver::Text(window), c.expected == Home ? kHomeTitle : kSetupTitle);
        if (c.expected == Update) {
            EXPECT_TRUE(TextBecomes(driver::Child(window, IdMainStatus), kUpdatingText));
            EXPECT_TRUE(driver::WaitUntil([&] { return RebuildStarted(release); }));
            EXPECT_TRUE(release.GameStarts().empty());
        } else {
            // No update run begins, and nothing starts the game.
            HWND status = driver::Child(window, IdMainStatus);
            EXPECT_TRUE(driver::StaysTrueFor(500, [&] {
                return release.ToolStarts().empty() && release.GameStarts().empty()
                    && (!status || driver::Text(status) != kUpdatingText);
            }));
        }
        CloseAndExpectExitZero(release, launched, window,
                               c.expected == Update ? Run::HeldUpdate : Run::None);
    }
}

TEST(StartupRoads, UpdateWithoutTheGameExeStillUpdates)
{
    Release release;
    release.WriteScenario(kHeldRebuild);
    release.InstallGame(release.DefaultInstallFolder(), "0.9.0\n");
    DeleteFileW((release.DefaultInstallFolder() + L"\\qarn.exe").c_str());

    Launched launched = release.Start();
    HWND window = driver::WaitForTopWindow(launched.processId, kSetupClassName);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(TextBecomes(driver::Child(window, IdMainStatus), kUpdatingText));
    EXPECT_TRUE(driver::WaitUntil([&] { return RebuildStarted(release); }));
    CloseAndExpectExitZero(release, launched, window, Run::HeldUpdate);
}

TEST(StartupRoads, MissingSetupFolderShowsTheErrorBoxAndExitsWithOne)
{
    Release release;
    release.RemoveSetupScript();

    Launched launched = release.Start();
    HWND box = driver::WaitForDialog(launched.processId, kSetupTitle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(driver::MessageBoxText(box), kMissingSetupText);
    EXPECT_TRUE(driver::StaysTrueFor(300, [&] { return StillRunning(launched); }))
        << "must wait for the box";
    driver::AnswerDialog(box, IDOK);
    EXPECT_EQ(release.WaitForExit(launched), 1u);
}

TEST(StartupRoads, FailedDirectStartFallsThroughToSetup)
{
    Release release;
    const std::wstring install = release.DefaultInstallFolder();
    release.InstallGame(install);
    // A qarn.exe that exists but cannot be started.
    WriteBytes(install + L"\\qarn.exe", "not a program");
    release.SetSkipMarker(true);

    Launched launched = release.Start(L"--fullscreen");
    HWND window = driver::WaitForTopWindow(launched.processId, kSetupClassName);
    ASSERT_NE(window, nullptr);
    CloseAndExpectExitZero(release, launched, window, Run::None);
}

TEST(StartupRoads, FailedDirectStartWithoutSetupFolderShowsTheErrorBox)
{
    Release release;
    const std::wstring install = release.DefaultInstallFolder();
    release.InstallGame(install);
    WriteBytes(install + L"\\qarn.exe", "not a program");
    release.SetSkipMarker(true);
    release.RemoveSetupScript();

    Launched launched = release.Start();
    HWND box = driver::WaitForDialog(launched.processId, kSetupTitle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(driver::MessageBoxText(box), kMissingSetupText);
    driver::AnswerDialog(box, IDOK);
    EXPECT_EQ(release.WaitForExit(launched), 1u);
}

TEST(StartupRoads, MissingSetupFolderDoesNotStopTheHomeWindow)
{
    Release release;
    release.InstallGame(release.DefaultInstallFolder());
    release.RemoveSetupScript();

    Launched launched = release.Start();
    HWND window = driver::WaitForTopWindow(launched.processId, kHomeClassName);
    ASSERT_NE(window, nullptr);
    CloseAndExpectExitZero(release, launched, window, Run::None);
}

} // namespace
