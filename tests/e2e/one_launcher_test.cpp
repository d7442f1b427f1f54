// One launcher window per release folder: a second start that would show a
// window brings the first launcher's window to the front instead.
#include <gtest/gtest.h>

#include "base/names.h"
#include "dialogs.h"
#include "driver.h"
#include "release.h"

namespace {

// Each setup window of any process, found with its process.
size_t SetupWindowCount()
{
    return driver::TopWindowsOfClass(kSetupClassName).size();
}

void CloseAndWait(Release& release, const Launched& launched, HWND window)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(release.WaitForExit(launched), 0u);
}

// The first window minimised, on its own or with its file dialog open: the
// second start restores it, brings what the user must answer to the front,
// starts nothing and ends with 0.
TEST(OneLauncher, ASecondStartRestoresTheFirstWindowAndEnds)
{
    struct Case {
        const char* name;
        bool fileDialogOpen;
    } cases[] = {
        {"the window alone", false},
        {"the window with its file dialog", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Release release;
        Launched first = release.Start(L"--setup");
        HWND setup = driver::WaitForTopWindow(first.processId, kSetupClassName);
        ASSERT_NE(setup, nullptr);
        HWND expectedInFront = setup;
        if (c.fileDialogOpen) {
            driver::ClickId(setup, IdDiscImage);
            expectedInFront =
                dialogs::WaitForFileDialog(first.processId, L"Choose your disc image");
            ASSERT_NE(expectedInFront, nullptr);
        }
        ShowWindow(setup, SW_MINIMIZE);
        ASSERT_TRUE(driver::WaitUntil([&] { return IsIconic(setup) != FALSE; }));

        Launched second = release.Start(L"--setup");
        EXPECT_EQ(release.WaitForExit(second), 0u);
        EXPECT_TRUE(driver::WaitUntil([&] {
            return !IsIconic(setup) && GetForegroundWindow() == expectedInFront;
        })) << "foreground: " << testing::PrintToString(driver::Text(GetForegroundWindow()));
        EXPECT_EQ(SetupWindowCount(), 1u);
        EXPECT_TRUE(release.ToolStarts().empty());

        if (c.fileDialogOpen) {
            ASSERT_TRUE(dialogs::Cancel(expectedInFront));
        }
        CloseAndWait(release, first, setup);
    }
}

// Launchers of another release folder open their own windows; a direct
// start of the game is never held back by an open window.
TEST(OneLauncher, OtherFoldersAndDirectStartsAreNotHeldBack)
{
    // Made first: each release points the game's start log at itself.
    Release other;
    Release release;
    release.InstallGame(release.DefaultInstallFolder());
    release.SetSkipMarker(true);
    Launched first = release.Start(L"--setup");
    HWND setup = driver::WaitForTopWindow(first.processId, kSetupClassName);
    ASSERT_NE(setup, nullptr);

    Launched elsewhere = other.Start(L"--setup");
    HWND otherSetup = driver::WaitForTopWindow(elsewhere.processId, kSetupClassName);
    ASSERT_NE(otherSetup, nullptr);
    EXPECT_EQ(SetupWindowCount(), 2u);

    Launched direct = release.Start(L"--fullscreen");
    EXPECT_EQ(release.WaitForExit(direct), 0u);
    ASSERT_TRUE(driver::WaitUntil([&] { return release.GameStarts().size() == 1; }));
    EXPECT_TRUE(driver::TopWindows(direct.processId).empty());

    CloseAndWait(other, elsewhere, otherSetup);
    CloseAndWait(release, first, setup);
}

} // namespace
