// The setup window's source choice and check, driven through the real
// file-open dialog and folder picker, with the interpreter stand-in as the
// setup tool.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs.h"
#include "driver.h"
#include "release.h"
#include "setup_view.h"
#include "text_wait.h"

namespace {

// A check that the test can hold: it waits for "<source>.go" before its
// verdict. An .iso file is accepted, a folder with default.xbe too.
constexpr char kCheckScenario[] = R"(
[check-source]
print checking ${source}
wait-for ${source}.go
print @P 45 Reading the disc
write \n
print @P 60
print @R 2 interim
if-iso ${source}
print @R 1 Disc accepted
else
if-exists ${source}\default.xbe
print @R 1 Folder accepted
else
print @R 0 No disc found here
end
end
print @R@ not a result
print done
)";

class SourceCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        release.WriteScenario(kCheckScenario);
        iso = release.Folder() + L"\\Disc Image.iso";
        WriteBytes(iso, "disc");
    }

    void Start()
    {
        launched = release.Start();
        setup.window = driver::WaitForTopWindow(launched.processId, kSetupClassName);
        ASSERT_NE(setup.window, nullptr);
    }

    void Release(const std::wstring& source) { WriteBytes(source + L".go", ""); }

    // Chooses a file through the disc-image button's dialog.
    void ChooseImage(const std::wstring& path)
    {
        driver::ClickId(setup.window, IdDiscImage);
        HWND dialog = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialogs::ChooseFile(dialog, path));
    }

    // Chooses a folder through the extracted-folder button's picker.
    void ChooseFolder(const std::wstring& path)
    {
        driver::ClickId(setup.window, IdFolder);
        HWND picker = dialogs::WaitForFolderPicker(launched.processId);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(dialogs::FolderPickerTitle(picker), L"Choose the folder that holds default.xbe");
        ASSERT_TRUE(dialogs::ChooseFolder(launched.processId, picker, path));
    }

    void AcceptImage()
    {
        Release(iso);
        ChooseImage(iso);
        ASSERT_TRUE(driver::WaitUntil([&] { return setup.InstallEnabled(); }));
        ASSERT_TRUE(TextBecomes(setup.SourceStatus(), L"Disc accepted"));
    }

    size_t ToolStartCount() const { return release.ToolStarts().size(); }

    // Waits until the count-th run of the tool has started and then ended.
    bool WaitForRunEnd(size_t count)
    {
        return driver::WaitUntil([&] { return ToolStartCount() >= count; }) && setup.WaitForIdle();
    }

    void TearDown() override
    {
        if (launched.process && release.WaitForExit(launched, 0) == STILL_ACTIVE) {
            PostMessageW(setup.window, WM_CLOSE, 0, 0);
            EXPECT_EQ(release.WaitForExit(launched), 0u);
        }
    }

    ::Release release;
    Launched launched;
    SetupWindow setup;
    std::wstring iso;
};

TEST_F(SourceCheck, ADiscImageIsCheckedAndTheToolsLinesAreSorted)
{
    Start();
    EXPECT_TRUE(setup.ChoicesEnabled());
    EXPECT_FALSE(setup.InstallEnabled());
    EXPECT_EQ(driver::Text(setup.Button(IdInstallOrPlay)), L"Install");

    ChooseImage(iso);
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 1; }));
    const StartRecord start = release.ToolStarts()[0];
    const std::wstring folder = release.Folder();
    EXPECT_EQ(start.commandLine, L"\"" + folder + L"\\setup\\python\\python.exe\" -X utf8 -u \""
                                     + folder + L"\\setup\\setup.py\" --check-source \"" + iso
                                     + L"\"");
    EXPECT_EQ(start.folder, folder + L"\\setup");

    // While the check runs.
    EXPECT_EQ(driver::Text(setup.SourceEdit()), iso);
    EXPECT_EQ(driver::Text(setup.SourceStatus()), L"Checking...");
    EXPECT_TRUE(setup.ChoicesDisabled());
    EXPECT_FALSE(setup.InstallEnabled());
    EXPECT_TRUE(driver::Enabled(setup.Button(IdTerms)));
    EXPECT_TRUE(driver::WaitUntil(
        [&] { return driver::Text(setup.Log()) == L"checking " + iso + L"\r\n"; }));
    EXPECT_TRUE(ShowsOnlyColour(setup.SourceStatus(), StatusPendingColour)) << "grey while checking";

    Release(iso);
    ASSERT_TRUE(setup.WaitForIdle());
    EXPECT_TRUE(TextBecomes(setup.SourceStatus(), L"Disc accepted"));
    EXPECT_TRUE(setup.InstallEnabled());
    // "@P 60" moved the bar but kept the text of "@P 45 ..."; result lines
    // and progress lines stay out of the log, an empty line goes in.
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::ProgressPosition(setup.Progress()) == 60; }))
        << "the bar stays at " << driver::ProgressPosition(setup.Progress()) << ", not 60";
    EXPECT_TRUE(TextBecomes(setup.MainStatus(), L"Reading the disc"));
    EXPECT_TRUE(TextBecomes(setup.Log(), L"checking " + iso + L"\r\n\r\n@R@ not a result\r\ndone\r\n"));
    EXPECT_TRUE(ShowsOnlyColour(setup.SourceStatus(), StatusOkColour)) << "green when accepted";
}

TEST_F(SourceCheck, ANewSourceRejectedAfterAnAcceptedOneKeepsInstallDisabled)
{
    Start();
    AcceptImage();

    // A folder without default.xbe, chosen through the folder picker.
    const std::wstring notADisc = release.Folder() + L"\\Not A Disc";
    CreateDirectoryW(notADisc.c_str(), nullptr);
    Release(notADisc);
    ChooseFolder(notADisc);
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 2; }));
    const std::wstring chosen = driver::Text(setup.SourceEdit());
    EXPECT_NE(chosen.find(L"\\My Release\\Not A Disc"), std::wstring::npos) << chosen;
    EXPECT_TRUE(Exists(chosen)) << chosen;
    const std::wstring commandLine = release.ToolStarts()[1].commandLine;
    EXPECT_EQ(commandLine.substr(commandLine.find(L" --check-source ")),
              L" --check-source \"" + chosen + L"\"");
    EXPECT_FALSE(setup.InstallEnabled()) << "the old verdict is gone as the check starts";

    ASSERT_TRUE(setup.WaitForIdle());
    EXPECT_TRUE(TextBecomes(setup.SourceStatus(), L"No disc found here"));
    EXPECT_FALSE(setup.InstallEnabled());
    EXPECT_TRUE(ShowsOnlyColour(setup.SourceStatus(), StatusFailedColour)) << "red when rejected";

    // An extracted folder that holds default.xbe is accepted again.
    const std::wstring extracted = release.Folder() + L"\\Extracted";
    WriteBytes(extracted + L"\\default.xbe", "XBEH");
    Release(extracted);
    ChooseFolder(extracted);
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 3; }));
    ASSERT_TRUE(setup.WaitForIdle());
    EXPECT_TRUE(TextBecomes(setup.SourceStatus(), L"Folder accepted"));
    EXPECT_TRUE(setup.InstallEnabled());
}

TEST_F(SourceCheck, CancellingEitherDialogChangesNothingAndRunsNothing)
{
    Start();
    AcceptImage();

    driver::ClickId(setup.window, IdDiscImage);
    HWND dialog = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialogs::Cancel(dialog));

    driver::ClickId(setup.window, IdFolder);
    HWND picker = dialogs::WaitForFolderPicker(launched.processId);
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(dialogs::Cancel(picker));

    EXPECT_TRUE(driver::StaysTrueFor(300, [&] { return ToolStartCount() == 1; }));
    EXPECT_EQ(ToolStartCount(), 1u);
    EXPECT_EQ(driver::Text(setup.SourceEdit()), iso);
    EXPECT_EQ(driver::Text(setup.SourceStatus()), L"Disc accepted");
    EXPECT_TRUE(setup.InstallEnabled());
    EXPECT_TRUE(setup.ChoicesEnabled());
}

TEST_F(SourceCheck, AMissingInterpreterMeansTheCheckCouldNotRun)
{
    DeleteFileW((release.Folder() + L"\\setup\\python\\python.exe").c_str());
    Start();
    ChooseImage(iso);
    ASSERT_TRUE(driver::WaitUntil(
        [&] { return driver::Text(setup.SourceStatus()) == L"The check could not run."; }));
    EXPECT_TRUE(setup.WaitForIdle());
    EXPECT_FALSE(setup.InstallEnabled());
    EXPECT_EQ(driver::Text(setup.Log()), L"");
    EXPECT_TRUE(ShowsOnlyColour(setup.SourceStatus(), StatusFailedColour));
}

TEST_F(SourceCheck, LinesBeforeANonZeroExitAllArriveAndNoVerdictKeepsChecking)
{
    release.WriteScenario("[check-source]\nprint first\nwrite second\\r\\n\nwrite never shown\nexit 3\n");
    Start();
    ChooseImage(iso);
    ASSERT_TRUE(WaitForRunEnd(1));
    EXPECT_TRUE(TextBecomes(setup.Log(), L"first\r\nsecond\r\n"));
    EXPECT_EQ(driver::Text(setup.SourceStatus()), L"Checking...");
    EXPECT_FALSE(setup.InstallEnabled());
}

TEST_F(SourceCheck, ACharacterSplitAcrossTwoWritesArrivesWhole)
{
    // U+00E9 as C3 A9, its two bytes written 300 ms apart.
    release.WriteScenario("[check-source]\nwrite caf\\xC3\nsleep 300\nwrite \\xA9 \\xE2\\x82\\xAC\\n\n");
    Start();
    ChooseImage(iso);
    ASSERT_TRUE(WaitForRunEnd(1));
    EXPECT_TRUE(TextBecomes(setup.Log(), L"caf\u00e9 \u20ac\r\n"));
}

TEST_F(SourceCheck, ClosingDuringACheckAsksNothing)
{
    release.WriteScenario("[check-source]\nwait-for ${source}.go\ntouch ${source}.done\n");
    Start();
    ChooseImage(iso);
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 1; }));
    ASSERT_TRUE(setup.ChoicesDisabled());
    PostMessageW(setup.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(release.WaitForExit(launched, 5000), 0u);
    // The tool runs on without the launcher; let it finish before the
    // release folder goes.
    Release(iso);
    EXPECT_TRUE(driver::WaitUntil([&] { return Exists(iso + L".done"); }));
}

// The update run that start-up begins when the installed game was built by
// another version of the release.
TEST(UpdateRun, ShowsItselfWhileTheRebuildRunsAndAsksBeforeClosing)
{
    ::Release release;
    const std::wstring install = release.DefaultInstallFolder();
    release.InstallGame(install, "0.9.0\n");
    release.WriteScenario("[rebuild]\nprint rebuilding\nwait-for ${dest}.go\nprint rebuilt\n");

    Launched launched = release.Start();
    SetupWindow setup;
    setup.window = driver::WaitForTopWindow(launched.processId, kSetupClassName);
    ASSERT_NE(setup.window, nullptr);
    EXPECT_TRUE(TextBecomes(setup.SourceEdit(), L"Using the game files already installed"));
    EXPECT_TRUE(TextBecomes(setup.MainStatus(), L"Updating the game to this version..."));
    EXPECT_TRUE(setup.ChoicesDisabled());
    EXPECT_FALSE(setup.InstallEnabled());
    ASSERT_TRUE(driver::WaitUntil([&] { return !release.ToolStarts().empty(); }));
    const std::wstring commandLine = release.ToolStarts()[0].commandLine;
    EXPECT_EQ(commandLine.substr(commandLine.find(L" --rebuild")),
              L" --rebuild --dest \"" + install + L"\"");
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::Text(setup.Log()) == L"rebuilding\r\n"; }));

    // Closing during the run asks; No keeps the window and the run.
    PostMessageW(setup.window, WM_CLOSE, 0, 0);
    HWND question = driver::WaitForDialog(launched.processId, kSetupTitle);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(driver::MessageBoxText(question), L"Setup is still running. Close anyway?");
    driver::AnswerDialog(question, IDNO);
    EXPECT_TRUE(driver::StaysTrueFor(500, [&] { return StillRunning(launched); }));

    WriteBytes(install + L".go", "");
    EXPECT_TRUE(driver::WaitUntil(
        [&] { return driver::Text(setup.Log()) == L"rebuilding\r\nrebuilt\r\n"; }));
    // Once the run has ended the window closes without a question.
    ASSERT_TRUE(driver::WaitUntil(
        [&] { return setup.InstallEnabled() || setup.ChoicesEnabled(); }));
    PostMessageW(setup.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(release.WaitForExit(launched), 0u);
}

} // namespace
