// The home window of an installed game, driven like a user would.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include <optional>

#include "base/names.h"
#include "driver.h"
#include "icon_file.h"
#include "release.h"
#include "theme/palette.h"

namespace {

std::wstring MarkerPath(const Release& release)
{
    return release.Folder() + L"\\skip_launcher.txt";
}

std::wstring GameCommandLine(const std::wstring& install)
{
    return L"\"" + install + L"\\qarn.exe\" ";
}

// A pixel of the window's client area, read from the screen.
COLORREF ClientPixel(HWND window, int x, int y)
{
    const POINT origin = driver::ClientOrigin(window);
    return driver::ScreenPixel(origin.x + x, origin.y + y);
}

bool WaitForPixel(HWND window, int x, int y, COLORREF expected)
{
    return driver::WaitUntil([&] { return ClientPixel(window, x, y) == expected; }, 5000);
}

std::string RgbText(COLORREF colour)
{
    return std::to_string(GetRValue(colour)) + "," + std::to_string(GetGValue(colour)) + ","
        + std::to_string(GetBValue(colour));
}

// A release of its own with an installed game, and its launcher showing the
// home window. A table's cases call Open again: each call lays out a fresh
// release.
class HomeWindow : public testing::Test {
protected:
    bool Open(const wchar_t* arguments = L"")
    {
        LayOut();
        return StartLauncher(arguments);
    }

    // The two halves of Open, for a test that changes the release in between.
    void LayOut()
    {
        window = nullptr;
        release.emplace();
        install = release->DefaultInstallFolder();
        release->InstallGame(install);
    }

    // Starts the launcher and waits for the home window with Play focused;
    // false when the window did not come or Play did not get the focus.
    bool StartLauncher(const wchar_t* arguments = L"")
    {
        launched = release->Start(arguments);
        window = driver::WaitForTopWindow(launched.processId, kHomeClassName);
        return window
            && driver::WaitUntil([&] { return driver::Focused(window) == Control(IdPlay); });
    }

    HWND Control(int id) const { return driver::Child(window, id); }

    void CloseAndExpectExitZero()
    {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(release->WaitForExit(launched), 0u);
    }

    std::optional<Release> release;
    std::wstring install;
    Launched launched;
    HWND window = nullptr;
};

TEST_F(HomeWindow, OpensWithItsControlsPlayFocusedAndTheTickClearEvenWithTheMarker)
{
    LayOut();
    WriteBytes(MarkerPath(*release), "keep");
    // The marker would start the game at once; --settings shows the window.
    ASSERT_TRUE(StartLauncher(L"--settings"));
    EXPECT_EQ(driver::Text(window), kHomeTitle);
    const SIZE client = driver::ClientSize(window);
    EXPECT_EQ(client.cx, 520);
    EXPECT_EQ(client.cy, 300);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME
                       | WS_POPUP | WS_CHILD),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);

    constexpr LONG kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    constexpr LONG kTick = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
    struct Expected {
        int id;
        const wchar_t* text;
        RECT rect;
        LONG style;
    } expected[] = {
        {IdPlay, L"Play", {28, 150, 248, 206}, kButton},
        {IdSettings, L"Settings", {262, 150, 372, 206}, kButton},
        {IdSetUpAgain, L"Set up again", {382, 150, 492, 206}, kButton},
        {IdStartStraightAway, L"Start the game straight away next time (hold Shift to see this window)",
         {28, 232, 492, 256}, kTick},
    };
    // In creation order, which is the Tab order.
    const std::vector<HWND> children = driver::Children(window);
    ASSERT_EQ(children.size(), std::size(expected));
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(i);
        HWND child = children[i];
        EXPECT_EQ(driver::ClassName(child), L"Button");
        EXPECT_EQ(GetDlgCtrlID(child), expected[i].id);
        EXPECT_EQ(driver::Text(child), expected[i].text);
        const RECT rect = driver::RectInParent(child);
        EXPECT_EQ(rect.left, expected[i].rect.left);
        EXPECT_EQ(rect.top, expected[i].rect.top);
        EXPECT_EQ(rect.right, expected[i].rect.right);
        EXPECT_EQ(rect.bottom, expected[i].rect.bottom);
        EXPECT_EQ(GetWindowLongW(child, GWL_STYLE) & ~WS_GROUP, expected[i].style & ~WS_GROUP);
    }
    EXPECT_FALSE(driver::Checked(Control(IdStartStraightAway)));
    EXPECT_EQ(driver::Focused(window), Control(IdPlay));
    EXPECT_EQ(ReadBytes(MarkerPath(*release)), "keep") << "opening the window leaves the marker alone";

    CloseAndExpectExitZero();
}

// Play by click and by Enter: the window goes, then the game starts with no
// arguments of the launcher's own, from the install folder.
TEST_F(HomeWindow, PlayClosesTheWindowAndStartsTheGameWithoutTheLaunchersArguments)
{
    enum How { Click, Enter };
    struct Case {
        const char* name;
        How how;
        const wchar_t* arguments;
    } cases[] = {
        {"click, no arguments", Click, L""},
        {"click, with arguments", Click, L"--fullscreen \"a b\""},
        {"Enter on Play", Enter, L"--windowed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Open(c.arguments));
        if (c.how == Click)
            driver::ClickId(window, IdPlay);
        else
            ASSERT_TRUE(driver::PressKeys(window, {VK_RETURN})) << "Enter was not taken";
        ASSERT_EQ(release->WaitForExit(launched), 0u);
        EXPECT_FALSE(IsWindow(window));
        ASSERT_TRUE(driver::WaitUntil([&] { return !release->GameStarts().empty(); }));
        const auto starts = release->GameStarts();
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].commandLine, GameCommandLine(install));
        EXPECT_EQ(starts[0].folder, install);
    }
}

TEST_F(HomeWindow, EnterOnAnotherControlIsNotPlay)
{
    ASSERT_TRUE(Open());
    // Tab moves the focus from Play to Settings; Enter there starts nothing.
    ASSERT_TRUE(driver::PressKeys(window, {VK_TAB})) << "Tab was not taken";
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::Focused(window) == Control(IdSettings); }, 3000));
    ASSERT_TRUE(driver::PressKeys(window, {VK_RETURN})) << "Enter was not taken";
    EXPECT_TRUE(driver::StaysTrueFor(700, [&] { return StillRunning(launched); }));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(release->GameStarts().empty());

    CloseAndExpectExitZero();
}

TEST_F(HomeWindow, CloseBoxEndsWithoutTheGame)
{
    ASSERT_TRUE(Open(L"--fullscreen"));
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(release->WaitForExit(launched), 0u);
    // A game started by mistake would record itself within this time.
    EXPECT_TRUE(driver::StaysTrueFor(500, [&] { return release->GameStarts().empty(); }));
}

TEST_F(HomeWindow, PlayWithAGameThatCannotStartLeadsToTheSetupWindow)
{
    ASSERT_TRUE(Open());
    // The game breaks while the window is up.
    WriteBytes(install + L"\\qarn.exe", "not a program");
    driver::ClickId(window, IdPlay);

    HWND setup = driver::WaitForTopWindow(launched.processId, kSetupClassName);
    ASSERT_NE(setup, nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(driver::Text(setup), kSetupTitle);
    EXPECT_TRUE(release->GameStarts().empty());
    PostMessageW(setup, WM_CLOSE, 0, 0);
    EXPECT_EQ(release->WaitForExit(launched), 0u);
}

// Ends another process at the end of a test, whatever happened in it.
struct ProcessCloser {
    DWORD processId = 0;
    HWND window = nullptr;
    ~ProcessCloser()
    {
        if (!processId)
            return;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
        if (!process)
            return;
        if (window)
            PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
};

TEST_F(HomeWindow, SetUpAgainStartsASecondLauncherInSetupModeAndEnds)
{
    ASSERT_TRUE(Open(L"--fullscreen"));
    const std::wstring launcher = release->Folder() + L"\\Vantaroo.exe";
    driver::ClickId(window, IdSetUpAgain);
    EXPECT_EQ(release->WaitForExit(launched), 0u);

    // The second launcher shows its setup window, since it got "--setup".
    ProcessCloser second;
    ASSERT_TRUE(driver::WaitUntil([&] {
        for (HWND setup : driver::TopWindowsOfClass(kSetupClassName)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(setup, &processId);
            driver::ProcessStart start;
            if (processId != launched.processId && driver::ReadProcessStart(processId, start)
                && lstrcmpiW(start.image.c_str(), launcher.c_str()) == 0) {
                second.processId = processId;
                second.window = setup;
                return true;
            }
        }
        return false;
    }));
    driver::ProcessStart start;
    ASSERT_TRUE(driver::ReadProcessStart(second.processId, start));
    const std::wstring arguments = L" --setup";
    ASSERT_GE(start.commandLine.size(), arguments.size());
    EXPECT_EQ(start.commandLine.substr(start.commandLine.size() - arguments.size()), arguments)
        << "whole command line: " << testing::PrintToString(start.commandLine);
    std::wstring directory = start.currentDirectory;
    if (directory.size() > 3 && directory.back() == L'\\')
        directory.pop_back();
    EXPECT_EQ(directory, release->Folder());
    EXPECT_TRUE(release->GameStarts().empty());
}

// A launcher that cannot be started again (its program was moved away)
// leaves the home window where it is, with a word of why, and the user can
// go on with it.
TEST_F(HomeWindow, SetUpAgainThatCannotStartTheLauncherKeepsTheWindowAndSaysWhy)
{
    ASSERT_TRUE(Open());
    // Take the program away from under the running launcher.
    if (!MoveFileW((release->Folder() + L"\\Vantaroo.exe").c_str(),
                   (release->Folder() + L"\\moved.bin").c_str())) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        GTEST_SKIP() << "the running program cannot be moved here";
    }
    driver::ClickId(window, IdSetUpAgain);
    HWND box = driver::WaitForDialog(launched.processId, kGameTitle);
    ASSERT_NE(box, nullptr) << "no word of the failure";
    const std::wstring text = driver::MessageBoxText(box);
    EXPECT_TRUE(text.starts_with(L"Setup could not be started: ")) << testing::PrintToString(text);
    EXPECT_GT(text.size(), std::wstring(L"Setup could not be started: ").size()) << "no reason";
    driver::AnswerDialog(box, IDOK);
    ASSERT_TRUE(driver::WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(driver::Enabled(driver::Child(window, IdPlay)));
    EXPECT_TRUE(driver::TopWindowsOfClass(kSetupClassName).empty());
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(release->WaitForExit(launched), 0u);
}

TEST_F(HomeWindow, TickWritesOrRemovesTheMarkerAndTheNextStartFollowsIt)
{
    struct Case {
        const char* name;
        const char* markerBefore; // null: no marker
        int clicks;
        bool markerAfter;
    } cases[] = {
        {"ticked, no marker before", nullptr, 1, true},
        {"ticked over a marker with content", "some old content", 1, true},
        {"ticked and unticked", nullptr, 2, false},
        {"ticked and unticked over a marker", "x", 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayOut();
        const std::wstring marker = MarkerPath(*release);
        if (c.markerBefore)
            WriteBytes(marker, c.markerBefore);
        ASSERT_TRUE(StartLauncher(c.markerBefore ? L"--settings" : L""));
        HWND tick = Control(IdStartStraightAway);
        for (int click = 1; click <= c.clicks; ++click) {
            const bool checked = click % 2 == 1;
            driver::Click(tick);
            ASSERT_TRUE(driver::WaitUntil([&] {
                return driver::Checked(tick) == checked && Exists(marker) == checked
                    && (!checked || ReadBytes(marker).empty());
            })) << "after click " << click;
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(release->WaitForExit(launched), 0u);
        EXPECT_EQ(Exists(marker), c.markerAfter);
        EXPECT_TRUE(release->GameStarts().empty());

        // The next plain start follows the marker: the game at once, or the window.
        Launched next = release->Start();
        if (c.markerAfter) {
            EXPECT_EQ(release->WaitForExit(next), 0u);
            EXPECT_TRUE(driver::TopWindows(next.processId).empty());
            ASSERT_TRUE(driver::WaitUntil([&] { return !release->GameStarts().empty(); }));
            EXPECT_EQ(release->GameStarts()[0].commandLine, GameCommandLine(install));
        } else {
            HWND home = driver::WaitForTopWindow(next.processId, kHomeClassName);
            ASSERT_NE(home, nullptr);
            PostMessageW(home, WM_CLOSE, 0, 0);
            EXPECT_EQ(release->WaitForExit(next), 0u);
        }
    }
}


// A folder in the marker's place can be neither created as a file nor
// deleted as one. Each click the disk refuses leaves the tick showing what
// the disk holds (a marker, so the next start skips this window) and a
// message box on the home window gives the system's reason.
TEST_F(HomeWindow, ATickTheDiskRefusesShowsTheDisksStateAndSaysWhy)
{
    LayOut();
    const std::wstring marker = MarkerPath(*release);
    ASSERT_TRUE(CreateDirectoryW(marker.c_str(), nullptr));
    // The system's own answers to the two changes.
    ASSERT_EQ(CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
              INVALID_HANDLE_VALUE);
    const DWORD createError = GetLastError();
    ASSERT_FALSE(DeleteFileW(marker.c_str()));
    const DWORD deleteError = GetLastError();

    ASSERT_TRUE(StartLauncher(L"--settings"));
    HWND tick = Control(IdStartStraightAway);
    ASSERT_FALSE(driver::Checked(tick));
    const std::wstring nextStart = L"\n\nThe game will start straight away next time.";
    const std::wstring expected[] = {
        L"Your choice could not be saved: the file skip_launcher.txt could not be created. "
            + driver::SystemText(createError) + nextStart,
        L"Your choice could not be saved: the file skip_launcher.txt could not be removed. "
            + driver::SystemText(deleteError) + nextStart,
    };
    for (const std::wstring& text : expected) {
        SCOPED_TRACE(testing::PrintToString(text));
        driver::Click(tick);
        HWND box = driver::WaitForDialog(launched.processId, kGameTitle);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), window);
        EXPECT_EQ(driver::MessageBoxText(box), text);
        EXPECT_TRUE(driver::Checked(tick)) << "the disk holds a marker";
        driver::AnswerDialog(box, IDOK);
        ASSERT_TRUE(driver::WaitUntil([&] { return !IsWindow(box); }));
    }
    EXPECT_TRUE(GetFileAttributesW(marker.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    CloseAndExpectExitZero();
    EXPECT_TRUE(release->GameStarts().empty());
}

// The look, read from the screen: background, button faces with their
// rounded corners, and the game icon when the install folder has one.
TEST_F(HomeWindow, PaintsTheDarkLookAndTheGameIcon)
{
    const COLORREF iconColour = RGB(30, 200, 120);
    for (bool withIcon : {true, false}) {
        SCOPED_TRACE(withIcon ? "with qarn.ico" : "without qarn.ico");
        LayOut();
        if (withIcon)
            WriteBytes(install + L"\\qarn.ico", icon_file::SolidIcon(96, iconColour));
        ASSERT_TRUE(StartLauncher());
        SetForegroundWindow(window);
        ASSERT_TRUE(WaitForPixel(window, 8, 8, BackgroundColour)) << RgbText(ClientPixel(window, 8, 8));

        struct Probe {
            const char* what;
            int x, y;
            COLORREF colour;
        } probes[] = {
            {"background top left", 8, 8, BackgroundColour},
            {"background bottom right", 510, 290, BackgroundColour},
            {"background between the buttons", 255, 178, BackgroundColour},
            {"Play face", 48, 160, AccentColour},
            {"Play face, lower right", 240, 200, AccentColour},
            {"Play's rounded corner", 28, 150, BackgroundColour},
            {"Settings face", 272, 160, FieldColour},
            {"Settings' rounded corner", 371, 205, BackgroundColour},
            {"Set up again face", 392, 160, FieldColour},
            {"Set up again face, lower right", 488, 200, FieldColour},
            {"left of the icon", 27, 60, BackgroundColour},
            {"right of the icon", 124, 60, BackgroundColour},
            {"above the icon", 60, 25, BackgroundColour},
            {"icon top left", 28, 26, withIcon ? iconColour : BackgroundColour},
            {"icon centre", 76, 74, withIcon ? iconColour : BackgroundColour},
            {"icon bottom right", 123, 121, withIcon ? iconColour : BackgroundColour},
        };
        // The buttons paint after their parent: give the whole window time.
        EXPECT_TRUE(driver::WaitUntil(
            [&] {
                for (const Probe& probe : probes)
                    if (ClientPixel(window, probe.x, probe.y) != probe.colour)
                        return false;
                return true;
            },
            5000))
            << "the window did not show every expected colour within 5 s";
        for (const Probe& probe : probes) {
            const COLORREF actual = ClientPixel(window, probe.x, probe.y);
            EXPECT_EQ(actual, probe.colour) << probe.what << ": " << RgbText(actual);
        }
        // The tick's text is light on the dark background.
        HWND tick = Control(IdStartStraightAway);
        EXPECT_TRUE(driver::ShowsColour(tick, TextColour));
        EXPECT_TRUE(driver::ShowsColour(tick, BackgroundColour));
        CloseAndExpectExitZero();
    }
}

// A held-down button darkens; the focus rectangle shows only on the focused one.
TEST_F(HomeWindow, PressedFacesAndTheFocusRectangle)
{
    ASSERT_TRUE(Open());
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitForPixel(window, 48, 160, AccentColour));
    ASSERT_TRUE(WaitForPixel(window, 272, 160, FieldColour));
    ASSERT_TRUE(WaitForPixel(window, 392, 160, FieldColour));

    // Along the line 4 pixels inside the top edge: dotted on Play, plain on Settings.
    int playDots = 0;
    for (int x = 40; x < 80; ++x)
        playDots += ClientPixel(window, x, 154) != AccentColour;
    EXPECT_GT(playDots, 5);
    for (int x = 274; x < 314; ++x)
        EXPECT_EQ(ClientPixel(window, x, 154), FieldColour) << x;

    struct Case {
        int id;
        int x, y;
        COLORREF pressed, released;
    } cases[] = {
        {IdPlay, 48, 160, AccentPressedColour, AccentColour},
        {IdSettings, 272, 160, ButtonPressedColour, FieldColour},
        {IdSetUpAgain, 392, 160, ButtonPressedColour, FieldColour},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HWND button = Control(c.id);
        PostMessageW(button, BM_SETSTATE, TRUE, 0);
        EXPECT_TRUE(WaitForPixel(window, c.x, c.y, c.pressed)) << RgbText(ClientPixel(window, c.x, c.y));
        PostMessageW(button, BM_SETSTATE, FALSE, 0);
        EXPECT_TRUE(WaitForPixel(window, c.x, c.y, c.released)) << RgbText(ClientPixel(window, c.x, c.y));
    }
    EXPECT_TRUE(release->GameStarts().empty());
    CloseAndExpectExitZero();
}

} // namespace
