// DLC and install-folder choices, the installation run, its finish, the
// desktop shortcut and Play: a first installation from the unpacked release
// to the running game, driven through the real dialogs.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>

#include "dialogs.h"
#include "driver.h"
#include "full_disk.h"
#include "icon_file.h"
#include "release.h"
#include "setup_view.h"
#include "text_wait.h"

namespace {

// A source check that accepts anything, a DLC check that wants existing
// folders, and a build held at two points (".go1", ".go2" beside --dest) so
// the test can look at the window while it runs. "fail-*" files in the
// setup folder make it fail in the ways a real build can; "flood" makes it
// print 400,000 lines first. Its result line must be dropped.
constexpr char kInstallScenario[] = R"(
[check-source]
print checking the disc
print @P 30 Looking at the disc
print @R 1 Disc accepted
[check-dlc]
if-exists ${setup}\reject-dlc
print @R 0 A DLC folder is missing
else
if-dlc-exist
print @R 1 DLC accepted
else
print @R 0 A DLC folder is missing
end
end
[install rebuild]
print @R 0 a result line has no place in a build
print build log line
if-exists ${setup}\flood
repeat 400000 flood line ${i}
end
wait-for ${dest}.go1
print @P 50 Building
wait-for ${dest}.go2
mkdir ${dest}\data
touch ${dest}\data\default.xbe
copy ${setup}\version.txt|${dest}\kit_version.txt
if-exists ${setup}\with-icon
copy ${setup}\game.ico|${dest}\qarn.ico
end
if-exists ${setup}\fail-no-exe
print finished without the game
exit 0
end
if-exists ${setup}\fail-exit-2
print the build broke
exit 2
end
if-exists ${setup}\slow-finish
repeat 20 the build goes on ${i}
sleep 1000
repeat 20 the build goes on ${i}
sleep 1000
repeat 20 the build goes on ${i}
end
copy ${setup}\game.exe|${dest}\qarn.exe
touch ${dest}.finished
print @P 100 Done
)";

constexpr wchar_t kReady[] = L"Ready to play.";
constexpr wchar_t kFailed[] = L"Setup did not finish. The reason is below.";

std::wstring DesktopShortcut()
{
    wchar_t desktop[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
    return std::wstring(desktop) + L"\\Vantaroo.lnk";
}

struct ShortcutInfo {
    std::wstring path, folder, description, icon;
    int iconIndex = -1;
};

// Reads a shortcut back through the shell's own link object.
bool ReadShortcut(const std::wstring& file, ShortcutInfo& info)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* persist = nullptr;
    bool loaded = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))
        && SUCCEEDED(persist->Load(file.c_str(), STGM_READ));
    if (loaded) {
        wchar_t text[MAX_PATH] = {};
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        info.path = text;
        text[0] = 0;
        link->GetWorkingDirectory(text, MAX_PATH);
        info.folder = text;
        text[0] = 0;
        link->GetDescription(text, MAX_PATH);
        info.description = text;
        text[0] = 0;
        link->GetIconLocation(text, MAX_PATH, &info.iconIndex);
        info.icon = text;
    }
    if (persist)
        persist->Release();
    link->Release();
    return loaded;
}

// The file where the prefix's stand-in browser records the addresses it was
// asked to open; ./test names it.
std::wstring BrowserLog()
{
    return EnvironmentText(L"VANTAROO_BROWSER_LOG");
}

class Installation : public ::testing::Test {
protected:
    void SetUp() override
    {
        release.WriteScenario(kInstallScenario);
        CopyFileW((BuildFolder() + L"\\game_standin.exe").c_str(),
                  (release.Folder() + L"\\setup\\game.exe").c_str(), FALSE);
        DeleteFileW(DesktopShortcut().c_str());
        iso = release.Folder() + L"\\Disc Image.iso";
        WriteBytes(iso, "disc");
    }

    void TearDown() override
    {
        if (launched.process && release.WaitForExit(launched, 0) == STILL_ACTIVE) {
            PostMessageW(setup.window, WM_CLOSE, 0, 0);
            if (HWND box = driver::WaitForDialog(launched.processId, kSetupTitle, 1000))
                driver::AnswerDialog(box, IDYES);
            // A closed window waits for its run, which may be held.
            Go(1);
            Go(2);
            EXPECT_EQ(release.WaitForExit(launched, 30000), 0u);
        }
        // Let a build still held at a wait-for run to its end.
        Go(1);
        Go(2);
        DeleteFileW(DesktopShortcut().c_str());
    }

    void Start(const std::wstring& arguments = L"")
    {
        launched = release.Start(arguments);
        setup.window = driver::WaitForTopWindow(launched.processId, kSetupClassName);
        ASSERT_NE(setup.window, nullptr);
    }

    size_t ToolStartCount() const { return release.ToolStarts().size(); }
    std::wstring LastToolArguments() const
    {
        const std::wstring line = release.ToolStarts().back().commandLine;
        const std::wstring script = L"\\setup\\setup.py\" ";
        return line.substr(line.find(script) + script.size());
    }

    void AcceptSource()
    {
        driver::ClickId(setup.window, IdDiscImage);
        HWND dialog = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialogs::ChooseFile(dialog, iso));
        ASSERT_TRUE(driver::WaitUntil([&] { return setup.InstallEnabled(); }));
    }

    // Picks a folder through the picker that the button opens.
    void PickFolder(int buttonId, const std::wstring& folder, const wchar_t* title)
    {
        driver::ClickId(setup.window, buttonId);
        HWND picker = dialogs::WaitForFolderPicker(launched.processId);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(dialogs::FolderPickerTitle(picker), title);
        ASSERT_TRUE(dialogs::ChooseFolder(launched.processId, picker, folder));
    }

    void CancelPicker(int buttonId)
    {
        driver::ClickId(setup.window, buttonId);
        HWND picker = dialogs::WaitForFolderPicker(launched.processId);
        ASSERT_NE(picker, nullptr);
        ASSERT_TRUE(dialogs::Cancel(picker));
    }

    std::wstring InstallFolder() const { return driver::Text(setup.DestEdit()); }

    // Starts the launcher with the disc image accepted and a "Games" folder
    // beside the release folder chosen to install to.
    void StartWithAnInstallFolderOutsideTheRelease()
    {
        const std::wstring games =
            std::filesystem::path(release.Folder()).parent_path().wstring() + L"\\Games";
        CreateDirectoryW(games.c_str(), nullptr);
        Start();
        AcceptSource();
        PickFolder(IdBrowse, games, L"Choose where to install the game");
        ASSERT_TRUE(driver::WaitUntil([&] { return InstallFolder() != release.DefaultInstallFolder(); }))
            << "the chosen folder did not reach the window";
    }
    // Lets the held build go past its first or second wait.
    void Go(int point) const
    {
        if (currentDest.empty())
            return;
        WriteBytes(currentDest + L".go" + std::to_wstring(point), "");
    }

    void PressInstall()
    {
        currentDest = InstallFolder();
        const size_t before = ToolStartCount();
        driver::ClickId(setup.window, IdInstallOrPlay);
        ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == before + 1; }));
    }

    bool WaitForStatus(const wchar_t* text)
    {
        return driver::WaitUntil([&] { return driver::Text(setup.MainStatus()) == text; }, 30000);
    }

    ::Release release;
    Launched launched;
    SetupWindow setup;
    std::wstring iso;
    std::wstring currentDest;
};

TEST_F(Installation, DlcListTwiceTheSameFolderThenClearList)
{
    const std::wstring dlc = release.Folder() + L"\\DLC Pack";
    CreateDirectoryW(dlc.c_str(), nullptr);
    Start();

    PickFolder(IdAddDlc, dlc, L"Choose a DLC folder, or the folder that holds several");
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 1; }));
    ASSERT_TRUE(setup.WaitForIdle());
    PickFolder(IdAddDlc, dlc, L"Choose a DLC folder, or the folder that holds several");
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 2; }));
    ASSERT_TRUE(setup.WaitForIdle());

    const std::vector<std::wstring> listed = driver::ListItems(setup.DlcList());
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0], listed[1]);
    EXPECT_TRUE(Exists(listed[0])) << listed[0];
    EXPECT_EQ(LastToolArguments(),
              L"--check-dlc \"" + listed[0] + L"\" --check-dlc \"" + listed[0] + L"\" ");
    EXPECT_TRUE(TextBecomes(setup.DlcStatus(), L"DLC accepted"));
    EXPECT_TRUE(ShowsOnlyColour(setup.DlcStatus(), StatusOkColour));

    // The list's verdict: the tool rejecting the list shows its reason. (The
    // tool is told to, rather than a folder being removed: the picker's shell
    // may still hold the folder open for a moment.)
    WriteBytes(release.Folder() + L"\\setup\\reject-dlc", "");
    const std::wstring other = release.Folder() + L"\\Other DLC";
    CreateDirectoryW(other.c_str(), nullptr);
    PickFolder(IdAddDlc, other, L"Choose a DLC folder, or the folder that holds several");
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 3; }));
    ASSERT_TRUE(setup.WaitForIdle());
    EXPECT_EQ(driver::ListItems(setup.DlcList()).size(), 3u);
    EXPECT_TRUE(TextBecomes(setup.DlcStatus(), L"A DLC folder is missing"));
    EXPECT_TRUE(ShowsOnlyColour(setup.DlcStatus(), StatusFailedColour));

    // A cancelled picker changes nothing and runs nothing.
    CancelPicker(IdAddDlc);
    EXPECT_TRUE(driver::StaysTrueFor(300, [&] { return ToolStartCount() == 3; }));
    EXPECT_EQ(ToolStartCount(), 3u);
    EXPECT_EQ(driver::ListItems(setup.DlcList()).size(), 3u);

    driver::ClickId(setup.window, IdClearList);
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::ListItems(setup.DlcList()).empty(); }));
    EXPECT_TRUE(TextBecomes(setup.DlcStatus(), L""));
    EXPECT_TRUE(driver::StaysTrueFor(300, [&] { return ToolStartCount() == 3; }))
        << "Clear list runs nothing";
    EXPECT_EQ(ToolStartCount(), 3u) << "Clear list runs nothing";
    EXPECT_TRUE(setup.ChoicesEnabled());
}

TEST_F(Installation, BrowseAppliesTheTitleRuleAndCancelChangesNothing)
{
    Start();
    EXPECT_EQ(InstallFolder(), release.DefaultInstallFolder());

    CancelPicker(IdBrowse);
    EXPECT_TRUE(driver::StaysTrueFor(
        200, [&] { return InstallFolder() == release.DefaultInstallFolder(); }));
    EXPECT_EQ(InstallFolder(), release.DefaultInstallFolder());

    const std::wstring games = release.Folder() + L"\\My Games";
    CreateDirectoryW(games.c_str(), nullptr);
    PickFolder(IdBrowse, games, L"Choose where to install the game");
    ASSERT_TRUE(driver::WaitUntil([&] { return InstallFolder() != release.DefaultInstallFolder(); }));
    const std::wstring chosen = InstallFolder();
    EXPECT_EQ(chosen.substr(chosen.size() - 18), L"\\My Games\\Vantaroo") << chosen;

    // A folder that already holds the game is taken as it is.
    const std::wstring existing = release.Folder() + L"\\Old Install";
    release.InstallGame(existing);
    PickFolder(IdBrowse, existing, L"Choose where to install the game");
    ASSERT_TRUE(driver::WaitUntil([&] { return InstallFolder() != chosen; }));
    EXPECT_EQ(InstallFolder().substr(InstallFolder().size() - 12), L"\\Old Install");
    EXPECT_EQ(ToolStartCount(), 0u) << "choosing the install folder runs nothing";
}

TEST_F(Installation, TermsButtonOpensTheLicenceTermsPage)
{
    ASSERT_FALSE(BrowserLog().empty()) << "VANTAROO_BROWSER_LOG is not set; run the tests with ./test";
    DeleteFileW(BrowserLog().c_str());
    Start();
    driver::ClickId(setup.window, IdTerms);
    ASSERT_TRUE(driver::WaitUntil([&] { return !ReadBytes(BrowserLog()).empty(); }, 15000));
    EXPECT_EQ(ReadBytes(BrowserLog()), "https://developer.android.com/studio/terms\n");
}

TEST_F(Installation, FirstInstallationFromReleaseToRunningGame)
{
    WriteBytes(release.Folder() + L"\\setup\\with-icon", "");
    WriteBytes(release.Folder() + L"\\setup\\game.ico", icon_file::SolidIcon(96, RGB(10, 200, 30)));
    const std::wstring dlc = release.Folder() + L"\\DLC";
    CreateDirectoryW(dlc.c_str(), nullptr);
    Start();
    AcceptSource();
    PickFolder(IdAddDlc, dlc, L"Choose a DLC folder, or the folder that holds several");
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 2; }));
    ASSERT_TRUE(setup.WaitForIdle());
    PickFolder(IdAddDlc, dlc, L"Choose a DLC folder, or the folder that holds several");
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 3; }));
    ASSERT_TRUE(setup.WaitForIdle());
    const std::wstring games = release.Folder() + L"\\Games";
    CreateDirectoryW(games.c_str(), nullptr);
    PickFolder(IdBrowse, games, L"Choose where to install the game");
    ASSERT_TRUE(driver::WaitUntil([&] { return InstallFolder() != release.DefaultInstallFolder(); }));
    driver::Click(setup.AndroidTick());
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::Checked(setup.AndroidTick()); }));

    ASSERT_TRUE(TextBecomes(setup.MainStatus(), L"Looking at the disc"));
    const std::wstring statusBefore = driver::Text(setup.MainStatus());
    ASSERT_EQ(statusBefore, L"Looking at the disc");
    ASSERT_TRUE(driver::WaitUntil([&] { return !driver::Text(setup.Log()).empty(); }));
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::ProgressPosition(setup.Progress()) == 30; }));
    ASSERT_EQ(driver::ProgressPosition(setup.Progress()), 30);
    PressInstall();
    const std::wstring install = InstallFolder();
    const std::wstring pickedDlc = driver::ListItems(setup.DlcList()).at(0);
    EXPECT_EQ(LastToolArguments(), L"--source \"" + iso + L"\" --dest \"" + install + L"\" --dlc \""
                                       + pickedDlc + L"\" --dlc \"" + pickedDlc + L"\" --android");

    // While the build runs: log emptied, bar reset, status kept; every
    // choice and the main button disabled, the ticks and terms not.
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::Text(setup.Log()) == L"build log line\r\n"; }));
    EXPECT_EQ(driver::ProgressPosition(setup.Progress()), 0);
    EXPECT_EQ(driver::Text(setup.MainStatus()), statusBefore);
    EXPECT_TRUE(setup.ChoicesDisabled());
    EXPECT_FALSE(setup.InstallEnabled());
    EXPECT_TRUE(driver::Enabled(setup.ShortcutTick()));
    EXPECT_TRUE(driver::Enabled(setup.Button(IdTerms)));
    Go(1);
    ASSERT_TRUE(WaitForStatus(L"Building"));
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::ProgressPosition(setup.Progress()) == 50; }))
        << "the bar stays at " << driver::ProgressPosition(setup.Progress()) << ", not 50";
    Go(2);

    ASSERT_TRUE(WaitForStatus(kReady));
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::Enabled(setup.Button(IdInstallOrPlay)); }));
    EXPECT_TRUE(TextBecomes(setup.Button(IdInstallOrPlay), L"Play"));
    // The build's result line changed nothing and went nowhere.
    EXPECT_EQ(driver::Text(setup.SourceStatus()), L"Disc accepted");
    EXPECT_TRUE(ShowsOnlyColour(setup.SourceStatus(), StatusOkColour));
    EXPECT_EQ(driver::Text(setup.Log()).find(L"result line"), std::wstring::npos);
    EXPECT_TRUE(setup.ChoicesDisabled());
    EXPECT_TRUE(driver::Enabled(setup.ShortcutTick()));
    EXPECT_TRUE(driver::Enabled(setup.AndroidTick()));

    // The record of the install folder: its UTF-16LE code units only.
    const std::string location = ReadBytes(release.Folder() + L"\\install_location.txt");
    EXPECT_EQ(location, std::string(reinterpret_cast<const char*>(install.data()), install.size() * 2));
    EXPECT_FALSE(Exists(release.Folder() + L"\\install_location.txt.new"));

    ShortcutInfo shortcut;
    ASSERT_TRUE(ReadShortcut(DesktopShortcut(), shortcut));
    EXPECT_EQ(shortcut.path, install + L"\\qarn.exe");
    EXPECT_EQ(shortcut.folder, install);
    EXPECT_EQ(shortcut.description, L"Vantaroo");
    EXPECT_EQ(shortcut.icon, install + L"\\qarn.ico");
    EXPECT_EQ(shortcut.iconIndex, 0);

    driver::ClickId(setup.window, IdInstallOrPlay);
    EXPECT_EQ(release.WaitForExit(launched), 0u);
    ASSERT_TRUE(driver::WaitUntil([&] { return release.GameStarts().size() == 1; }));
    EXPECT_EQ(release.GameStarts()[0].commandLine, L"\"" + install + L"\\qarn.exe\" ");
    EXPECT_EQ(release.GameStarts()[0].folder, install);

    // The next start finds the game through the record: the home window.
    Launched next = release.Start();
    HWND home = driver::WaitForTopWindow(next.processId, kHomeClassName);
    ASSERT_NE(home, nullptr);
    PostMessageW(home, WM_CLOSE, 0, 0);
    EXPECT_EQ(release.WaitForExit(next), 0u);
}

enum Failure { NoGameExe, ExitCode, NoInterpreter };

class FailedInstallation : public Installation, public ::testing::WithParamInterface<Failure> {
};

TEST_P(FailedInstallation, WritesNothingAndInstallCanBeRetried)
{
    const Failure failure = GetParam();
    if (failure == NoGameExe)
        WriteBytes(release.Folder() + L"\\setup\\fail-no-exe", "");
    if (failure == ExitCode)
        WriteBytes(release.Folder() + L"\\setup\\fail-exit-2", "");
    Start();
    AcceptSource();
    if (failure == NoInterpreter)
        DeleteFileW((release.Folder() + L"\\setup\\python\\python.exe").c_str());
    currentDest = InstallFolder();
    driver::ClickId(setup.window, IdInstallOrPlay);
    if (failure != NoInterpreter) {
        ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 2; }));
        Go(1);
        Go(2);
    }
    ASSERT_TRUE(WaitForStatus(kFailed));
    ASSERT_TRUE(driver::WaitUntil([&] { return setup.InstallEnabled(); }));
    EXPECT_EQ(driver::Text(setup.Button(IdInstallOrPlay)), L"Install");
    EXPECT_TRUE(setup.ChoicesEnabled());
    if (failure == ExitCode) {
        EXPECT_EQ(driver::Text(setup.Log()), L"build log line\r\nthe build broke\r\n");
    }
    EXPECT_FALSE(Exists(release.Folder() + L"\\install_location.txt"));
    EXPECT_FALSE(Exists(DesktopShortcut()));
}

INSTANTIATE_TEST_SUITE_P(Failures, FailedInstallation,
                         ::testing::Values(NoGameExe, ExitCode, NoInterpreter));

TEST_F(Installation, ShortcutFollowsTheTickAtTheEndAndIsMadeOnce)
{
    // Unticked during the run: no shortcut, and the run still succeeds.
    Start();
    AcceptSource();
    PressInstall();
    driver::Click(setup.ShortcutTick());
    ASSERT_TRUE(driver::WaitUntil([&] { return !driver::Checked(setup.ShortcutTick()); }));
    Go(1);
    Go(2);
    ASSERT_TRUE(WaitForStatus(kReady));
    EXPECT_FALSE(Exists(DesktopShortcut()));
    TearDown();

    // Two more successful installations with the tick set leave one shortcut,
    // without an icon location when the build made no qarn.ico.
    for (int round = 0; round < 2; ++round) {
        Start(L"--setup");
        AcceptSource();
        PressInstall();
        Go(1);
        Go(2);
        ASSERT_TRUE(WaitForStatus(kReady));
        PostMessageW(setup.window, WM_CLOSE, 0, 0);
        ASSERT_EQ(release.WaitForExit(launched), 0u);
    }
    ShortcutInfo shortcut;
    ASSERT_TRUE(ReadShortcut(DesktopShortcut(), shortcut));
    EXPECT_EQ(shortcut.icon, L"");
    EXPECT_EQ(shortcut.path, release.DefaultInstallFolder() + L"\\qarn.exe");
    size_t links = 0;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(DesktopShortcut()).parent_path()))
        links += entry.path().extension() == L".lnk";
    EXPECT_EQ(links, 1u);
}

// Yes to the close question takes the window off the screen at once, but
// the launcher reads on: the tool, which would die at its next write to a
// closed pipe, finishes its build, and the launcher records it, makes the
// shortcut and ends with 0 after the tool. No keeps the window and the run.
TEST_F(Installation, ClosingDuringTheRunAsksAndYesFinishesTheBuildOffScreen)
{
    WriteBytes(release.Folder() + L"\\setup\\slow-finish", "");
    Start();
    AcceptSource();
    PressInstall();

    PostMessageW(setup.window, WM_CLOSE, 0, 0);
    HWND box = driver::WaitForDialog(launched.processId, kSetupTitle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(driver::MessageBoxText(box), L"Setup is still running. Close anyway?");
    driver::AnswerDialog(box, IDNO);
    EXPECT_TRUE(driver::StaysTrueFor(300, [&] { return StillRunning(launched); }));
    EXPECT_TRUE(IsWindowVisible(setup.window));
    EXPECT_FALSE(setup.InstallEnabled()) << "the run goes on";

    PostMessageW(setup.window, WM_CLOSE, 0, 0);
    box = driver::WaitForDialog(launched.processId, kSetupTitle);
    ASSERT_NE(box, nullptr);
    driver::AnswerDialog(box, IDYES);
    const ULONGLONG answered = GetTickCount64();
    ASSERT_TRUE(driver::WaitUntil([&] { return !IsWindowVisible(setup.window); }, 1000))
        << "the window is still on the screen";
    EXPECT_LT(GetTickCount64() - answered, 1000u);
    EXPECT_TRUE(StillRunning(launched)) << "the launcher waits for the run";

    // The build prints on for a few seconds, then finishes.
    Go(1);
    Go(2);
    EXPECT_TRUE(driver::WaitUntil([&] { return Exists(currentDest + L".finished"); }, 30000));
    EXPECT_EQ(release.WaitForExit(launched, 30000), 0u);
    EXPECT_TRUE(Exists(currentDest + L"\\qarn.exe"));
    const std::string record = ReadBytes(release.Folder() + L"\\install_location.txt");
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(record.data()), record.size() / 2),
              currentDest);
    EXPECT_TRUE(Exists(DesktopShortcut()));

    // The next start finds the game.
    const Launched next = release.Start();
    HWND home = driver::WaitForTopWindow(next.processId, kHomeClassName);
    ASSERT_NE(home, nullptr);
    PostMessageW(home, WM_CLOSE, 0, 0);
    EXPECT_EQ(release.WaitForExit(next), 0u);
}

// A second start while the closed window's run goes on shows that window
// again, with the run as it stands, and the launcher then stays to the end.
TEST_F(Installation, ASecondStartDuringTheClosedRunShowsTheWindowAgain)
{
    Start();
    AcceptSource();
    PressInstall();
    PostMessageW(setup.window, WM_CLOSE, 0, 0);
    HWND box = driver::WaitForDialog(launched.processId, kSetupTitle);
    ASSERT_NE(box, nullptr);
    driver::AnswerDialog(box, IDYES);
    ASSERT_TRUE(driver::WaitUntil([&] { return !IsWindowVisible(setup.window); }, 1000));

    const Launched second = release.Start();
    EXPECT_EQ(release.WaitForExit(second), 0u);
    ASSERT_TRUE(driver::WaitUntil([&] { return IsWindowVisible(setup.window) != FALSE; }, 5000))
        << "the window did not come back";
    EXPECT_EQ(driver::Text(setup.Log()), L"build log line\r\n");
    EXPECT_FALSE(setup.InstallEnabled()) << "the run goes on";

    Go(1);
    Go(2);
    ASSERT_TRUE(WaitForStatus(kReady));
    EXPECT_TRUE(driver::StaysTrueFor(500, [&] { return StillRunning(launched); }))
        << "a window shown again stays after its run";
    EXPECT_EQ(driver::Text(setup.Button(IdInstallOrPlay)), L"Play");
}

TEST_F(Installation, UpdateRunRecordsTheFolderAndMakesTheShortcut)
{
    release.InstallGame(release.DefaultInstallFolder(), "0.9.0\n");
    Start();
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 1; }));
    EXPECT_TRUE(TextBecomes(setup.SourceEdit(), L"Using the game files already installed"));
    EXPECT_TRUE(TextBecomes(setup.MainStatus(), L"Updating the game to this version..."));
    EXPECT_EQ(LastToolArguments(), L"--rebuild --dest \"" + release.DefaultInstallFolder() + L"\"");
    currentDest = release.DefaultInstallFolder();
    Go(1);
    Go(2);
    ASSERT_TRUE(WaitForStatus(kReady));
    EXPECT_TRUE(TextBecomes(setup.Button(IdInstallOrPlay), L"Play"));
    EXPECT_TRUE(Exists(release.Folder() + L"\\install_location.txt"));
    EXPECT_TRUE(Exists(DesktopShortcut()));
    PostMessageW(setup.window, WM_CLOSE, 0, 0);
    ASSERT_EQ(release.WaitForExit(launched), 0u);

    Launched next = release.Start();
    HWND home = driver::WaitForTopWindow(next.processId, kHomeClassName);
    ASSERT_NE(home, nullptr);
    PostMessageW(home, WM_CLOSE, 0, 0);
    EXPECT_EQ(release.WaitForExit(next), 0u);
}


constexpr wchar_t kNotRecorded[] =
    L"Ready to play, but the install folder could not be recorded. The reason is below.";
constexpr wchar_t kNotRecordedReason[] =
    L"The install folder could not be recorded, so the next start will not find the game: ";

// What keeps install_location.txt from being replaced at the end of a run.
enum Obstacle { ReadOnlyRecord, FolderInTheWay, DiskFull, HeldForGood };

// Opens a file the way a scanner or sync client does: no sharing at all.
HANDLE HoldWithoutSharing(const std::wstring& path)
{
    return CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

class UnrecordedInstallation : public Installation, public ::testing::WithParamInterface<Obstacle> {
protected:
    void TearDown() override
    {
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        Installation::TearDown();
    }

    FullDisk fullDisk;
    HANDLE held = INVALID_HANDLE_VALUE;
};

// The record is replaced whole or not at all: when it cannot be replaced
// the old one stays byte for byte and no temporary file is left. The game
// is still playable from the window, and the status says that the next
// start will not find it, with the system's reason.
TEST_P(UnrecordedInstallation, SaysSoKeepsTheOldRecordAndStillPlays)
{
    const std::wstring record = release.Folder() + L"\\install_location.txt";
    const std::wstring temporary = record + L".new";
    const std::wstring oldFolder = release.DefaultInstallFolder();
    const std::string oldBytes(reinterpret_cast<const char*>(oldFolder.data()), oldFolder.size() * 2);
    WriteBytes(record, oldBytes);
    DWORD expectedError = 0;
    switch (GetParam()) {
    case ReadOnlyRecord:
        SetFileAttributesW(record.c_str(), FILE_ATTRIBUTE_READONLY);
        expectedError = ERROR_ACCESS_DENIED;
        break;
    case FolderInTheWay: {
        // The system's own answer to writing a file over a folder.
        CreateDirectoryW(temporary.c_str(), nullptr);
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_EQ(file, INVALID_HANDLE_VALUE);
        expectedError = GetLastError();
        break;
    }
    case HeldForGood: {
        held = HoldWithoutSharing(record);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        // The system's own answer to a replace of a file held so.
        const std::wstring probe = record + L".probe";
        WriteBytes(probe, "");
        ASSERT_FALSE(MoveFileExW(probe.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING));
        expectedError = GetLastError();
        DeleteFileW(probe.c_str());
        break;
    }
    case DiskFull: {
        std::string why;
        if (!fullDisk.Mount(release.Folder(), why))
            GTEST_SKIP() << "no full disk can be made here: " << why;
        expectedError = fullDisk.Fill();
        ASSERT_NE(expectedError, 0u);
        break;
    }
    }
    // Installed outside the release folder, whose disk may be full.
    StartWithAnInstallFolderOutsideTheRelease();
    PressInstall();
    Go(1);
    Go(2);
    EXPECT_TRUE(WaitForStatus(kNotRecorded))
        << "status: " << testing::PrintToString(driver::Text(setup.MainStatus()));
    EXPECT_FALSE(driver::SystemText(expectedError).empty());
    // The reason ends the log, whole.
    const std::wstring expected = kNotRecordedReason + driver::SystemText(expectedError);
    EXPECT_TRUE(driver::WaitUntil([&] {
        const std::wstring log = driver::Text(setup.Log());
        return log.size() >= expected.size() + 2
            && log.compare(log.size() - expected.size() - 2, std::wstring::npos, expected + L"\r\n") == 0;
    })) << "log: " << testing::PrintToString(driver::Text(setup.Log()));
    if (held != INVALID_HANDLE_VALUE) {
        CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
    }
    EXPECT_EQ(ReadBytes(record), oldBytes);
    if (GetParam() == FolderInTheWay)
        EXPECT_TRUE(GetFileAttributesW(temporary.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    else
        EXPECT_FALSE(Exists(temporary));

    ASSERT_TRUE(driver::WaitUntil([&] { return driver::Text(setup.Button(IdInstallOrPlay)) == L"Play"; }));
    driver::ClickId(setup.window, IdInstallOrPlay);
    EXPECT_EQ(release.WaitForExit(launched), 0u);
    ASSERT_TRUE(driver::WaitUntil([&] { return release.GameStarts().size() == 1; }));
    EXPECT_EQ(release.GameStarts()[0].folder, currentDest);
    SetFileAttributesW(record.c_str(), FILE_ATTRIBUTE_NORMAL);
}

INSTANTIATE_TEST_SUITE_P(Obstacles, UnrecordedInstallation,
                         ::testing::Values(ReadOnlyRecord, FolderInTheWay, DiskFull,
                                           HeldForGood));

// A scanner that holds the record for a moment as the installation ends is
// waited out: the record is written and the status is the plain one.
TEST_F(Installation, ARecordHeldForAMomentIsWrittenWhenItIsLetGo)
{
    const std::wstring record = release.Folder() + L"\\install_location.txt";
    release.WriteInstallLocation(release.DefaultInstallFolder());
    StartWithAnInstallFolderOutsideTheRelease();
    PressInstall();
    Go(1);
    HANDLE held = HoldWithoutSharing(record);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Go(2);
    ASSERT_TRUE(driver::WaitUntil([&] { return Exists(currentDest + L".finished"); }));
    Sleep(700);
    CloseHandle(held);
    EXPECT_TRUE(WaitForStatus(kReady))
        << "status: " << testing::PrintToString(driver::Text(setup.MainStatus()));
    const std::string bytes = ReadBytes(record);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2),
              currentDest);
    EXPECT_FALSE(Exists(record + L".new"));
}

// The setup window is not a dialog: the control the user left gets the
// focus back after the file dialog and after the close question.
TEST_F(Installation, TheFocusComesBackAfterTheFileDialogAndTheCloseQuestion)
{
    Start();
    HWND discImage = setup.Button(IdDiscImage);
    SetForegroundWindow(setup.window);
    for (int presses = 0; presses < 12 && driver::Focused(setup.window) != discImage; ++presses)
        ASSERT_TRUE(driver::PressKeys(setup.window, {VK_TAB}))
            << "Tab " << presses + 1 << " was not taken";
    ASSERT_EQ(driver::Focused(setup.window), discImage);
    ASSERT_TRUE(driver::PressKeys(setup.window, {VK_SPACE})) << "Space was not taken";
    HWND dialog = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(driver::PressKeys(dialog, {VK_ESCAPE})) << "Esc was not taken";
    ASSERT_TRUE(driver::WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::Focused(setup.window) == discImage; }, 3000))
        << "focused: " << testing::PrintToString(driver::Text(driver::Focused(setup.window)));

    AcceptSource();
    PressInstall();
    // During the run the shortcut tick is one of the controls still enabled.
    HWND tick = setup.ShortcutTick();
    for (int presses = 0; presses < 12 && driver::Focused(setup.window) != tick; ++presses)
        ASSERT_TRUE(driver::PressKeys(setup.window, {VK_TAB}))
            << "Tab " << presses + 1 << " was not taken";
    ASSERT_EQ(driver::Focused(setup.window), tick);
    ASSERT_TRUE(driver::PressChord(setup.window, {VK_MENU, VK_F4})) << "Alt+F4 was not taken";
    HWND box = driver::WaitForDialog(launched.processId, kSetupTitle);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(driver::PressKeys(box, {'N'})) << "N was not taken";
    ASSERT_TRUE(driver::WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::Focused(setup.window) == tick; }, 3000))
        << "focused: " << testing::PrintToString(driver::Text(driver::Focused(setup.window)));
    EXPECT_TRUE(driver::Checked(tick)) << "the focus came back without a click on the tick";
    Go(1);
    Go(2);
    ASSERT_TRUE(WaitForStatus(kReady));
}

// The close question during a flood of build output answers real keys at
// once: N keeps the window and the run, Y ends the launcher.
TEST_F(Installation, TheCloseQuestionAnswersRealKeysDuringAFlood)
{
    WriteBytes(release.Folder() + L"\\setup\\flood", "");
    Start();
    AcceptSource();
    PressInstall();
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::Text(setup.Log()).size() > 1000; }));

    ASSERT_TRUE(driver::PressChord(setup.window, {VK_MENU, VK_F4})) << "Alt+F4 was not taken";
    HWND box = driver::WaitForDialog(launched.processId, kSetupTitle, 1000);
    ASSERT_NE(box, nullptr) << "the question did not come within 1 s";
    EXPECT_EQ(driver::MessageBoxText(box), L"Setup is still running. Close anyway?");
    // The time counts from before the press: the key waits in the queue.
    const ULONGLONG pressed = GetTickCount64();
    ASSERT_TRUE(driver::PressKeys(box, {'N'})) << "N was not taken";
    ASSERT_TRUE(driver::WaitUntil([&] { return !IsWindow(box); }, 5000));
    EXPECT_LT(GetTickCount64() - pressed, 1000u) << "N took too long";
    EXPECT_TRUE(driver::StaysTrueFor(300, [&] { return StillRunning(launched); }));
    EXPECT_EQ(release.WaitForExit(launched, 0), STILL_ACTIVE);
    EXPECT_FALSE(setup.InstallEnabled()) << "the run goes on";

    ASSERT_TRUE(driver::PressChord(setup.window, {VK_MENU, VK_F4})) << "Alt+F4 was not taken";
    box = driver::WaitForDialog(launched.processId, kSetupTitle, 1000);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(driver::PressKeys(box, {'Y'})) << "Y was not taken";
    EXPECT_TRUE(driver::WaitUntil([&] { return !IsWindowVisible(setup.window); }, 1000));

    // The launcher reads the rest of the flood off the screen and ends with
    // the tool.
    Go(1);
    Go(2);
    EXPECT_TRUE(driver::WaitUntil([&] { return Exists(currentDest + L".finished"); }, 60000));
    EXPECT_EQ(release.WaitForExit(launched, 30000), 0u);
}

// Play after a successful installation, with a game that cannot be started:
// nothing happens and Play stays.
TEST_F(Installation, PlayWithAGameThatCannotStartKeepsTheWindow)
{
    Start();
    AcceptSource();
    PressInstall();
    Go(1);
    Go(2);
    ASSERT_TRUE(WaitForStatus(kReady));
    WriteBytes(currentDest + L"\\qarn.exe", "not a program");
    driver::ClickId(setup.window, IdInstallOrPlay);
    EXPECT_TRUE(driver::StaysTrueFor(1500, [&] { return StillRunning(launched); }));
    EXPECT_TRUE(IsWindowVisible(setup.window));
    EXPECT_TRUE(driver::Enabled(setup.Button(IdInstallOrPlay)));
    EXPECT_EQ(driver::Text(setup.Button(IdInstallOrPlay)), L"Play");
    EXPECT_EQ(driver::Text(setup.MainStatus()), kReady);
    EXPECT_TRUE(release.GameStarts().empty());
}

// An update run that fails says so; Install then waits for a source, since
// the run had none.
TEST_F(Installation, AFailedUpdateRunSaysSoAndWaitsForASource)
{
    release.InstallGame(release.DefaultInstallFolder(), "0.9.0\n");
    WriteBytes(release.Folder() + L"\\setup\\fail-exit-2", "");
    Start();
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 1; }));
    currentDest = release.DefaultInstallFolder();
    Go(1);
    Go(2);
    ASSERT_TRUE(WaitForStatus(kFailed));
    ASSERT_TRUE(setup.WaitForIdle());
    EXPECT_TRUE(TextBecomes(setup.Button(IdInstallOrPlay), L"Install"));
    EXPECT_FALSE(setup.InstallEnabled());
    EXPECT_FALSE(Exists(release.Folder() + L"\\install_location.txt"));
    EXPECT_FALSE(Exists(DesktopShortcut()));
}

// A DLC check whose tool cannot be started says so, in the colour of the
// list's flag, which it leaves acceptable: Install is not blocked by it.
TEST_F(Installation, ADlcCheckThatCouldNotRunDoesNotBlockInstall)
{
    const std::wstring dlc = release.Folder() + L"\\DLC";
    CreateDirectoryW(dlc.c_str(), nullptr);
    Start();
    AcceptSource();
    DeleteFileW((release.Folder() + L"\\setup\\python\\python.exe").c_str());
    PickFolder(IdAddDlc, dlc, L"Choose a DLC folder, or the folder that holds several");
    ASSERT_TRUE(driver::WaitUntil(
        [&] { return driver::Text(setup.DlcStatus()) == L"The check could not run."; }));
    ASSERT_TRUE(setup.WaitForIdle());
    EXPECT_TRUE(ShowsOnlyColour(setup.DlcStatus(), StatusOkColour));
    EXPECT_TRUE(setup.InstallEnabled());
}

// While a run is under way no command starts another, even one already
// queued when the buttons were disabled; and the keyboard focus does not
// stay on the disabled Install button.
TEST_F(Installation, DuringARunNoOtherRunStartsAndTheFocusMovesOn)
{
    Start();
    AcceptSource();
    SetForegroundWindow(setup.window);
    HWND install = setup.Button(IdInstallOrPlay);
    // Each press is followed by waiting for the focus to move on.
    for (int presses = 0; presses < 12 && driver::Focused(setup.window) != install; ++presses) {
        const HWND before = driver::Focused(setup.window);
        ASSERT_TRUE(driver::PressKeys(setup.window, {VK_TAB}))
            << "Tab " << presses + 1 << " was not taken";
        ASSERT_TRUE(driver::WaitUntil([&] { return driver::Focused(setup.window) != before; }, 3000))
            << "Tab " << presses + 1 << " did not move the focus";
    }
    ASSERT_EQ(driver::Focused(setup.window), install);
    currentDest = InstallFolder();
    ASSERT_TRUE(driver::PressKeys(setup.window, {VK_SPACE})) << "Space was not taken";
    ASSERT_TRUE(driver::WaitUntil([&] { return ToolStartCount() == 2; }));
    ASSERT_TRUE(driver::WaitUntil([&] { return !driver::Enabled(install); }));
    HWND focus = driver::Focused(setup.window);
    ASSERT_NE(focus, nullptr);
    EXPECT_NE(focus, install);
    EXPECT_TRUE(driver::Enabled(focus)) << driver::Text(focus);

    for (int id : {IdInstallOrPlay, IdDiscImage, IdFolder, IdAddDlc, IdClearList, IdBrowse})
        PostMessageW(setup.window, WM_COMMAND, id, 0);
    ASSERT_TRUE(driver::AnswersWithin(setup.window, 5000));
    // The commands were posted, so no reply marks their handling: a run or
    // dialog they started would show within this time.
    const auto noDialog = [&] {
        for (HWND window : driver::TopWindows(launched.processId))
            if (driver::ClassName(window) == L"#32770")
                return false;
        return true;
    };
    EXPECT_TRUE(driver::StaysTrueFor(500, [&] { return ToolStartCount() == 2 && noDialog(); }));
    EXPECT_EQ(ToolStartCount(), 2u);
    for (HWND window : driver::TopWindows(launched.processId))
        EXPECT_NE(driver::ClassName(window), L"#32770") << "a dialog opened: " << driver::Text(window);
    EXPECT_EQ(InstallFolder(), currentDest);
    Go(1);
    Go(2);
    ASSERT_TRUE(WaitForStatus(kReady));
}

} // namespace
