// The settings window of the real launcher under Wine: opened from the home
// window, filled from qarn.ini, saved or closed, and its look.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/names.h"
#include "driver.h"
#include "release.h"
#include "settings/settings_catalogue.h"
#include "settings/settings_layout.h"
#include "theme/palette.h"
#include "../default_settings_lines.h"

namespace {

constexpr int kRows = kSettingsCatalogueSize;
constexpr int kFooterTop = SettingsFooterTop(kRows);

constexpr wchar_t kSaveFailedText[] = L"The settings could not be saved.";

// A file as a user and the game may leave it: CR LF line ends, comments, a
// section header, a key of the game the launcher does not know, blanks around
// "=", a value matching no choice, a key twice, a key in other case and no
// last LF. Half the catalogue keys are missing.
constexpr char kUsersFile[] =
    "# written by hand\r\n"
    "[Video]\r\n"
    "  display_mode\t=  2\r\n"
    "gamma = 1.2\r\n"
    "master_volume = 80\r\n"
    "; vsync = 1\r\n"
    "shadow_enhance = 35 ; soft\r\n"
    "\r\n"
    "Smoothing = 0\r\n"
    "invert_look_y = 0\r\n"
    "invert_look_y = 1";

// What the lists show for kUsersFile, by catalogue index.
constexpr int kUsersFileSelection[kRows] = {
    2, // display_mode 2: Stretch
    0, // resolution missing: Match Screen
    0, // smoothing missing ("Smoothing" is another key): On
    1, // vsync missing (the line is a comment): Off
    0, // fullscreen missing: On
    0, // master_volume 80 matches nothing: the first choice, 100%
    0, // invert_camera_x missing: Modern
    1, // invert_look_y: the first line decides, 0 = Original (flight style)
    2, // shadow_enhance 35: Medium
    0, // grumblets_stay_converted missing: Come back (original)
};

// kUsersFile saved without a change: every catalogue key in the launcher's form,
// everything else as it was, LF line ends, the missing keys appended.
constexpr char kUsersFileSaved[] =
    "# written by hand\n"
    "[Video]\n"
    "display_mode = 2\n"
    "gamma = 1.2\n"
    "master_volume = 100\n"
    "; vsync = 1\n"
    "shadow_enhance = 35\n"
    "\n"
    "Smoothing = 0\n"
    "invert_look_y = 0\n"
    "invert_look_y = 0\n"
    "resolution = 0\n"
    "smoothing = 1\n"
    "vsync = 0\n"
    "fullscreen = 1\n"
    "invert_camera_x = 1\n"
    "grumblets_stay_converted = 0\n";

class SettingsWindow : public testing::Test {
protected:
    std::wstring IniPath() const { return release_.DefaultInstallFolder() + L"\\qarn.ini"; }
    std::wstring TemporaryPath() const { return IniPath() + L".new"; }

    // Starts the launcher with an installed game and waits for its home window.
    void StartHome()
    {
        release_.InstallGame(release_.DefaultInstallFolder());
        launched_ = release_.Start();
        home_ = driver::WaitForTopWindow(launched_.processId, kHomeClassName);
        ASSERT_NE(home_, nullptr);
        ASSERT_EQ(driver::Text(home_), kHomeTitle);
    }

    // Presses Settings and waits for the settings window.
    HWND OpenSettings()
    {
        driver::ClickId(home_, IdSettings);
        HWND window = driver::WaitForTopWindow(launched_.processId, kSettingsClassName);
        EXPECT_NE(window, nullptr);
        return window;
    }

    HWND Combo(HWND settings, int index) const
    {
        return driver::Child(settings, IdFirstSettingList + index);
    }

    std::vector<int> Selections(HWND settings) const
    {
        std::vector<int> selections;
        for (int i = 0; i < kRows; ++i)
            selections.push_back(driver::ComboSelection(Combo(settings, i)));
        return selections;
    }

    int SettingsWindowCount() const
    {
        int count = 0;
        for (HWND window : driver::TopWindows(launched_.processId))
            count += IsWindow(window) && driver::ClassName(window) == kSettingsClassName ? 1 : 0;
        return count;
    }

    bool Closed(HWND settings) const
    {
        return driver::WaitUntil([&] { return !IsWindow(settings); });
    }

    // The state after any way of closing the settings window.
    void ExpectHomeBackInFront()
    {
        EXPECT_TRUE(driver::WaitUntil([&] { return driver::Enabled(home_); }));
        EXPECT_TRUE(driver::WaitUntil([&] { return GetForegroundWindow() == home_; }));
        EXPECT_EQ(SettingsWindowCount(), 0);
    }

    void CloseHome()
    {
        PostMessageW(home_, WM_CLOSE, 0, 0);
        EXPECT_EQ(release_.WaitForExit(launched_), 0u);
    }

    Release release_;
    Launched launched_;
    HWND home_ = nullptr;
};

TEST_F(SettingsWindow, OpensOnceBesideTheDisabledHomeWindow)
{
    StartHome();
    // Move the home window away from where it was created: the settings
    // window follows it and is not centred.
    SetWindowPos(home_, nullptr, 137, 91, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(driver::WaitUntil([&] {
        RECT rect = {};
        GetWindowRect(home_, &rect);
        return rect.left == 137 && rect.top == 91;
    })) << "the home window did not move to 137, 91";
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);

    RECT homeRect = {}, settingsRect = {};
    GetWindowRect(home_, &homeRect);
    GetWindowRect(settings, &settingsRect);
    EXPECT_EQ(settingsRect.left, homeRect.left + 30);
    EXPECT_EQ(settingsRect.top, homeRect.top + 30);
    EXPECT_EQ(driver::Text(settings), kSettingsTitle);
    const SIZE client = driver::ClientSize(settings);
    EXPECT_EQ(client.cx, kSettingsClientWidth);
    EXPECT_EQ(client.cy, SettingsClientHeight(kRows));
    EXPECT_EQ(GetWindow(settings, GW_OWNER), home_);
    EXPECT_FALSE(driver::Enabled(home_));

    // Settings again (the command itself, since the button is out of reach
    // of a user while the home window is disabled): still one window. Sent,
    // so that it has been handled when the call returns.
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(home_, WM_COMMAND, IdSettings, 0, SMTO_ABORTIFHUNG, 5000, &result));
    EXPECT_EQ(SettingsWindowCount(), 1);

    // One row per setting, Cancel left of Save, the note beside them.
    for (int i = 0; i < kRows; ++i) {
        const RECT combo = driver::RectInParent(Combo(settings, i));
        EXPECT_EQ(combo.left, 200) << i;
        EXPECT_EQ(combo.top, SettingsRowTop(i)) << i;
        EXPECT_EQ(combo.right, 446) << i;
    }
    const RECT save = driver::RectInParent(driver::Child(settings, IdSave));
    const RECT cancel = driver::RectInParent(driver::Child(settings, IdCancel));
    EXPECT_EQ(save.left, 336);
    EXPECT_EQ(save.top, kFooterTop);
    EXPECT_EQ(save.right, 446);
    EXPECT_EQ(save.bottom, kFooterTop + 36);
    EXPECT_EQ(cancel.left, 216);
    EXPECT_EQ(cancel.right, 326);
    EXPECT_EQ(driver::Text(driver::Child(settings, IdSave)), L"Save");
    EXPECT_EQ(driver::Text(driver::Child(settings, IdCancel)), L"Cancel");
    EXPECT_EQ(driver::Text(driver::Child(settings, IdSettingsNote)),
              L"Display options can also be changed in the game: Options > Display Settings.");

    driver::ClickId(settings, IdCancel);
    EXPECT_TRUE(Closed(settings));
    ExpectHomeBackInFront();

    // It can be opened again once closed.
    HWND again = OpenSettings();
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(driver::Enabled(home_));
    driver::ClickId(again, IdCancel);
    EXPECT_TRUE(Closed(again));
    ExpectHomeBackInFront();
    CloseHome();
}

TEST_F(SettingsWindow, ListsShowTheChoicesAndTheFilesValues)
{
    WriteBytes(IniPath(), kUsersFile);
    StartHome();
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);

    EXPECT_EQ(Selections(settings),
              std::vector<int>(std::begin(kUsersFileSelection), std::end(kUsersFileSelection)));
    // The lists hold the choices in catalogue order, labels as shown to users.
    EXPECT_EQ(driver::ComboItems(Combo(settings, 5)),
              (std::vector<std::wstring>{L"100%", L"75%", L"50%", L"25%", L"Off"}));
    EXPECT_EQ(driver::ComboItems(Combo(settings, 2)), (std::vector<std::wstring>{L"On", L"Off"}));
    EXPECT_EQ(driver::ComboItems(Combo(settings, 7)),
              (std::vector<std::wstring>{L"Modern", L"Original (flight style)"}));
    EXPECT_EQ(driver::ComboItems(Combo(settings, 8)),
              (std::vector<std::wstring>{L"Original", L"Light", L"Medium", L"Strong"}));
    // Each row's label stands left of its list.
    std::vector<std::wstring> labels;
    for (int i = 0; i < kRows; ++i) {
        HWND label = driver::Child(settings, IdFirstSettingLabel + i);
        const RECT rect = driver::RectInParent(label);
        EXPECT_EQ(rect.left, 24) << i;
        EXPECT_EQ(rect.top, SettingsRowTop(i)) << i;
        labels.push_back(driver::Text(label));
    }
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"Display", L"Resolution", L"Smoothing", L"V-Sync",
                                                 L"Fullscreen", L"Volume", L"Camera Turn",
                                                 L"Look Up/Down", L"Shadow Overlap", L"Grumblets"}));

    driver::ClickId(settings, IdCancel);
    EXPECT_TRUE(Closed(settings));
    CloseHome();
}

TEST_F(SettingsWindow, NoFileShowsTheDefaultsAndSaveWritesALinePerSetting)
{
    StartHome();
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(Selections(settings), (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));

    driver::ClickId(settings, IdSave);
    EXPECT_TRUE(Closed(settings));
    ExpectHomeBackInFront();
    EXPECT_EQ(ReadBytes(IniPath()), kDefaultLines);
    EXPECT_FALSE(Exists(TemporaryPath()));
    CloseHome();
}

TEST_F(SettingsWindow, SaveKeepsForeignLinesAndWritesTheLaunchersForm)
{
    WriteBytes(IniPath(), kUsersFile);
    StartHome();
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);

    driver::ClickId(settings, IdSave);
    EXPECT_TRUE(Closed(settings));
    ExpectHomeBackInFront();
    EXPECT_EQ(ReadBytes(IniPath()), kUsersFileSaved);
    EXPECT_FALSE(Exists(TemporaryPath()));
    CloseHome();
}

TEST_F(SettingsWindow, SaveWritesTheChoicesIntoTheFileAsItIsThen)
{
    WriteBytes(IniPath(), "master_volume = 100\nvsync = 0\n");
    StartHome();
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);

    driver::SelectComboItem(Combo(settings, 5), 3); // master_volume 25%
    driver::SelectComboItem(Combo(settings, 3), 0); // vsync On
    // The game changes the file while the window is open: its lines survive.
    WriteBytes(IniPath(), "language = fr\nmaster_volume = 50\n");
    driver::ClickId(settings, IdSave);
    EXPECT_TRUE(Closed(settings));
    ExpectHomeBackInFront();
    EXPECT_EQ(ReadBytes(IniPath()),
              "language = fr\nmaster_volume = 25\ndisplay_mode = 0\nresolution = 0\n"
              "smoothing = 1\nvsync = 1\nfullscreen = 1\ninvert_camera_x = 1\ninvert_look_y = 1\n"
              "shadow_enhance = 0\ngrumblets_stay_converted = 0\n");

    // A new opening reads the file again and shows what was saved.
    HWND again = OpenSettings();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Selections(again), (std::vector<int>{0, 0, 0, 0, 0, 3, 0, 0, 0, 0}));
    driver::ClickId(again, IdCancel);
    EXPECT_TRUE(Closed(again));
    CloseHome();
}

TEST_F(SettingsWindow, ClosingWithoutSaveLeavesTheFileAlone)
{
    enum Way { CancelButton, CloseBox, AltF4 };
    const struct {
        const char* name;
        Way way;
    } ways[] = {{"Cancel", CancelButton}, {"close box", CloseBox}, {"Alt+F4", AltF4}};
    WriteBytes(IniPath(), kUsersFile);
    StartHome();
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        HWND settings = OpenSettings();
        ASSERT_NE(settings, nullptr);
        driver::SelectComboItem(Combo(settings, 5), 4);
        // Changed behind the window's back: closing must not write either
        // version, nor create the file when it is gone.
        const std::string changed = std::string("changed by ") + way.name + "\r\n";
        WriteBytes(IniPath(), changed);
        switch (way.way) {
        case CancelButton:
            driver::ClickId(settings, IdCancel);
            break;
        case CloseBox:
            PostMessageW(settings, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case AltF4:
            ASSERT_TRUE(driver::PressChord(settings, {VK_MENU, VK_F4})) << "Alt+F4 was not taken";
            break;
        }
        ASSERT_TRUE(Closed(settings));
        ExpectHomeBackInFront();
        EXPECT_TRUE(driver::StaysTrueFor(200, [&] { return ReadBytes(IniPath()) == changed; }));
        EXPECT_EQ(ReadBytes(IniPath()), changed);
        EXPECT_FALSE(Exists(TemporaryPath()));
    }
    // And with the file deleted while the window is open.
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    DeleteFileW(IniPath().c_str());
    driver::ClickId(settings, IdCancel);
    ASSERT_TRUE(Closed(settings));
    EXPECT_TRUE(driver::StaysTrueFor(200, [&] { return !Exists(IniPath()); }));
    EXPECT_FALSE(Exists(IniPath()));
    CloseHome();
}

TEST_F(SettingsWindow, EscAndEnterDoNotCloseIt)
{
    WriteBytes(IniPath(), kUsersFile);
    StartHome();
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);

    ASSERT_TRUE(driver::PressKeys(settings, {VK_ESCAPE, VK_RETURN})) << "Esc or Enter was not taken";
    ASSERT_TRUE(driver::PressKeys(settings, {VK_TAB})) << "Tab was not taken";
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::Focused(settings) == Combo(settings, 0); }, 3000))
        << "Tab did not move the focus to the first list; focused: "
        << testing::PrintToString(driver::Text(driver::Focused(settings)));
    ASSERT_TRUE(driver::PressKeys(settings, {VK_ESCAPE, VK_RETURN})) << "Esc or Enter was not taken";
    EXPECT_TRUE(driver::StaysTrueFor(300, [&] { return IsWindow(settings) != FALSE; }));
    EXPECT_TRUE(IsWindow(settings));
    EXPECT_TRUE(IsWindowVisible(settings));
    EXPECT_FALSE(driver::Enabled(home_));
    EXPECT_EQ(ReadBytes(IniPath()), kUsersFile);

    driver::ClickId(settings, IdCancel);
    EXPECT_TRUE(Closed(settings));
    CloseHome();
}

TEST_F(SettingsWindow, TabGoesThroughTheListsThenSaveThenCancel)
{
    StartHome();
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);

    std::vector<HWND> expected;
    for (int i = 0; i < kRows; ++i)
        expected.push_back(Combo(settings, i));
    expected.push_back(driver::Child(settings, IdSave));
    expected.push_back(driver::Child(settings, IdCancel));
    expected.push_back(Combo(settings, 0)); // and round again

    // Each press is followed by waiting for the focus to move on.
    std::vector<HWND> visited;
    for (size_t i = 0; i < expected.size(); ++i) {
        const HWND before = driver::Focused(settings);
        ASSERT_TRUE(driver::PressKeys(settings, {VK_TAB})) << "Tab " << i + 1 << " was not taken";
        EXPECT_TRUE(driver::WaitUntil([&] { return driver::Focused(settings) != before; }, 3000))
            << "Tab " << i + 1 << " did not move the focus";
        visited.push_back(driver::Focused(settings));
    }
    EXPECT_EQ(visited, expected);

    // Shift+Tab goes back from the first list to Cancel.
    ASSERT_TRUE(driver::PressChord(settings, {VK_SHIFT, VK_TAB})) << "Shift+Tab was not taken";
    EXPECT_TRUE(driver::WaitUntil(
        [&] { return driver::Focused(settings) == driver::Child(settings, IdCancel); }, 3000))
        << "Shift+Tab did not move the focus to Cancel; focused: "
        << testing::PrintToString(driver::Text(driver::Focused(settings)));

    driver::ClickId(settings, IdCancel);
    EXPECT_TRUE(Closed(settings));
    CloseHome();
}

// A top-level window of this test process, for taking the activation away
// from the launcher the way Alt+Tab to another program would.
class OtherProgramWindow {
public:
    OtherProgramWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr))
    {
    }
    ~OtherProgramWindow() { DestroyWindow(window_); }

    // Brings the window to the front, answering what the system sends it.
    bool Activate() const { return BringToFront(window_); }
    static bool BringToFront(HWND window)
    {
        SetForegroundWindow(window);
        return driver::WaitUntil([&] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            return GetForegroundWindow() == window;
        });
    }

private:
    HWND window_;
};

// Neither window is a dialog, so each remembers its focused control itself:
// a list of the settings window gets it back after another program was in
// front, and the home window's Settings button after the settings window
// has closed.
TEST_F(SettingsWindow, TheFocusComesBackToTheControlTheUserLeft)
{
    StartHome();
    HWND settingsButton = driver::Child(home_, IdSettings);
    ASSERT_TRUE(driver::PressKeys(home_, {VK_TAB})) << "Tab was not taken";
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::Focused(home_) == settingsButton; }, 3000));
    ASSERT_TRUE(driver::PressKeys(home_, {VK_SPACE})) << "Space was not taken";
    HWND settings = driver::WaitForTopWindow(launched_.processId, kSettingsClassName);
    ASSERT_NE(settings, nullptr);

    HWND combo = Combo(settings, 3);
    for (int presses = 0; presses < 12 && driver::Focused(settings) != combo; ++presses)
        ASSERT_TRUE(driver::PressKeys(settings, {VK_TAB}))
            << "Tab " << presses + 1 << " was not taken";
    ASSERT_EQ(driver::Focused(settings), combo);

    OtherProgramWindow other;
    ASSERT_TRUE(other.Activate());
    ASSERT_TRUE(OtherProgramWindow::BringToFront(settings));
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::Focused(settings) == combo; }, 3000))
        << "focused: " << testing::PrintToString(driver::Text(driver::Focused(settings)));

    driver::ClickId(settings, IdCancel);
    ASSERT_TRUE(Closed(settings));
    ExpectHomeBackInFront();
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::Focused(home_) == settingsButton; }, 3000))
        << "focused: " << testing::PrintToString(driver::Text(driver::Focused(home_)));
    CloseHome();
}

TEST_F(SettingsWindow, FailedSaveWarnsAndLeavesTheFileAsItWas)
{
    enum Obstacle { ReadOnlyFile, FileIsAFolder, TemporaryNameTaken, HeldWithoutSharing };
    const struct {
        const char* name;
        Obstacle obstacle;
    } cases[] = {
        {"qarn.ini read-only", ReadOnlyFile},
        {"qarn.ini is a folder", FileIsAFolder},
        {"the temporary name is taken by a folder", TemporaryNameTaken},
        {"qarn.ini held open without sharing by another program", HeldWithoutSharing},
    };
    WriteBytes(IniPath(), kUsersFile);
    StartHome();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring ini = IniPath();
        const std::wstring temporary = TemporaryPath();
        HANDLE held = INVALID_HANDLE_VALUE;
        switch (c.obstacle) {
        case ReadOnlyFile:
            SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
            break;
        case FileIsAFolder:
            DeleteFileW(ini.c_str());
            CreateDirectoryW(ini.c_str(), nullptr);
            WriteBytes(ini + L"\\inside.txt", "x");
            break;
        case TemporaryNameTaken:
            CreateDirectoryW(temporary.c_str(), nullptr);
            WriteBytes(temporary + L"\\inside.txt", "x");
            break;
        case HeldWithoutSharing:
            held = CreateFileW(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
            break;
        }

        HWND settings = OpenSettings();
        ASSERT_NE(settings, nullptr);
        driver::SelectComboItem(Combo(settings, 5), 2);
        driver::ClickId(settings, IdSave);
        HWND box = driver::WaitForDialog(launched_.processId, kGameTitle);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(driver::MessageBoxText(box), kSaveFailedText);
        EXPECT_EQ(GetWindow(box, GW_OWNER), settings);
        EXPECT_TRUE(driver::StaysTrueFor(200, [&] { return IsWindow(settings) != FALSE; }))
            << "the window waits for the box";
        driver::AnswerDialog(box, IDOK);
        EXPECT_TRUE(Closed(settings));
        ExpectHomeBackInFront();

        switch (c.obstacle) {
        case ReadOnlyFile:
            EXPECT_EQ(ReadBytes(ini), kUsersFile);
            EXPECT_FALSE(Exists(temporary));
            SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
            break;
        case FileIsAFolder:
            EXPECT_EQ(GetFileAttributesW(ini.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
                      static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
            EXPECT_EQ(ReadBytes(ini + L"\\inside.txt"), "x");
            EXPECT_FALSE(Exists(temporary));
            DeleteFileW((ini + L"\\inside.txt").c_str());
            RemoveDirectoryW(ini.c_str());
            WriteBytes(ini, kUsersFile);
            break;
        case TemporaryNameTaken:
            EXPECT_EQ(ReadBytes(ini), kUsersFile);
            EXPECT_EQ(ReadBytes(temporary + L"\\inside.txt"), "x");
            DeleteFileW((temporary + L"\\inside.txt").c_str());
            RemoveDirectoryW(temporary.c_str());
            break;
        case HeldWithoutSharing:
            CloseHandle(held);
            EXPECT_EQ(ReadBytes(ini), kUsersFile);
            EXPECT_FALSE(Exists(temporary));
            break;
        }
    }
    CloseHome();
}

TEST_F(SettingsWindow, DarkWindowWithAmberSave)
{
    StartHome();
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    const POINT origin = driver::ClientOrigin(settings);
    auto pixel = [&](int x, int y) { return driver::ScreenPixel(origin.x + x, origin.y + y); };
    struct Spot {
        const char* what;
        int x, y;
        COLORREF colour;
    } spots[] = {
        {"Save face", 336 + 8, kFooterTop + 18, AccentColour},
        {"Save face near its right end", 446 - 8, kFooterTop + 18, AccentColour},
        {"Cancel face", 216 + 8, kFooterTop + 18, FieldColour},
        {"window background", 8, 8, BackgroundColour},
        {"Save's rounded corner shows the background", 336, kFooterTop, BackgroundColour},
    };
    for (const Spot& spot : spots) {
        COLORREF shown = 0;
        EXPECT_TRUE(driver::WaitUntil(
            [&] { return (shown = pixel(spot.x, spot.y)) == spot.colour; }, 3000))
            << spot.what << " shows " << std::hex << shown << ", not " << spot.colour
            << " (0x00BBGGRR)";
    }

    // The text itself is light: the row labels on the background, the lists'
    // choices on the field colour.
    std::vector<HWND> labels;
    for (HWND child : driver::Children(settings))
        if (driver::ClassName(child) == L"Static" && !driver::Text(child).empty())
            labels.push_back(child);
    ASSERT_EQ(labels.size(), static_cast<size_t>(kRows) + 1) << "a label per setting and the note";
    for (HWND label : labels) {
        EXPECT_TRUE(driver::ShowsColour(label, TextColour)) << driver::Text(label);
        EXPECT_TRUE(driver::ShowsColour(label, BackgroundColour)) << driver::Text(label);
    }
    for (int i = 0; i < kRows; ++i) {
        EXPECT_TRUE(driver::ShowsColour(Combo(settings, i), TextColour)) << i;
        EXPECT_TRUE(driver::ShowsColour(Combo(settings, i), FieldColour)) << i;
    }
    driver::ClickId(settings, IdCancel);
    EXPECT_TRUE(Closed(settings));
    CloseHome();
}

} // namespace
