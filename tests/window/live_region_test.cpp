// The setup window's three status lines are polite live regions: each is
// marked when the window is made and unmarked when it goes, and each change
// of a line's text raises one EVENT_OBJECT_LIVEREGIONCHANGED for that line,
// whoever changed it (the tool's progress lines, a check's result, the end
// of a run). Wine's property service refuses the mark, so the mark is
// checked through the writer the theme lets a test hand in; the events are
// Wine's own, heard through SetWinEventHook.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "base/launcher_state_win.h"
#include "pump_messages.h"
#include "base/names.h"
#include "home/home_window_win.h"
#include "settings/settings_window_win.h"
#include "setup/output_batcher.h"
#include "setup/setup_messages_win.h"
#include "setup/setup_session.h"
#include "setup/setup_window_win.h"
#include "theme/live_region_win.h"
#include "theme/theme_win.h"
#include "theme/window_builder_win.h"

namespace {

std::vector<std::pair<HWND, LiveSetting>> g_marks;
std::vector<HWND> g_events;

HRESULT RecordMark(HWND control, LiveSetting setting)
{
    g_marks.emplace_back(control, setting);
    return S_OK;
}

void CALLBACK HearEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                        DWORD)
{
    if (event == kLiveRegionChangedEvent && object == OBJID_CLIENT && child == CHILDID_SELF)
        g_events.push_back(window);
}

// Lets every posted message and out-of-context event in: the events of a
// change come as messages to this thread.
void Settle()
{
    const ULONGLONG end = GetTickCount64() + 300;
    (void)PumpUntil([&] { return GetTickCount64() >= end; }, 1000);
}

class LiveRegions : public testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        INITCOMMONCONTROLSEX commonControls = {sizeof(commonControls), ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&commonControls);
        g_state.launcherFolder = L"C:\\nowhere";
        g_state.installFolder = L"C:\\nowhere\\game";
        g_marks.clear();
        g_events.clear();
        UseLiveSettingWriter(RecordMark);
        hook_ = SetWinEventHook(kLiveRegionChangedEvent, kLiveRegionChangedEvent, nullptr, HearEvent,
                                GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook_, nullptr);
        taken_ = CreateSemaphoreW(nullptr, 0, 100, nullptr);
    }

    void TearDown() override
    {
        UnhookWinEvent(hook_);
        UseLiveSettingWriter(nullptr);
        CloseHandle(taken_);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        CoUninitialize();
    }

    void Post(HWND window, std::unique_ptr<OutputBatch> batch)
    {
        ASSERT_TRUE(PostMessageW(window, WM_SETUP_OUTPUT, reinterpret_cast<WPARAM>(taken_),
                                 reinterpret_cast<LPARAM>(batch.release())));
    }

    HWINEVENTHOOK hook_ = nullptr;
    HANDLE taken_ = nullptr;
};

TEST_F(LiveRegions, EachStatusChangeIsAnnouncedOnceForItsLine)
{
    HWND window = CreateSetupWindow();
    ASSERT_NE(window, nullptr);
    HWND source = Control(window, IdSourceStatus);
    HWND dlc = Control(window, IdDlcStatus);
    HWND main = Control(window, IdMainStatus);
    const std::vector<std::pair<HWND, LiveSetting>> marked = {
        {source, LiveSetting::Polite}, {dlc, LiveSetting::Polite}, {main, LiveSetting::Polite}};
    EXPECT_EQ(g_marks, marked);
    Settle();
    g_events.clear();

    // A source check: a progress text, the same text again (no change, no
    // word), then its verdict.
    SetupSession& session = SessionOf(window);
    session.phase = SetupPhase::CheckSource;
    for (const wchar_t* text : {L"Reading the disc", L"Reading the disc"}) {
        auto batch = std::make_unique<OutputBatch>();
        batch->hasStatusText = true;
        batch->statusText = text;
        Post(window, std::move(batch));
    }
    auto verdict = std::make_unique<OutputBatch>();
    verdict->results = {{true, L"Disc accepted"}};
    Post(window, std::move(verdict));
    Settle();
    EXPECT_EQ(g_events, (std::vector<HWND>{main, source}));

    // An installation that fails: the main line says so.
    g_events.clear();
    session.phase = SetupPhase::Install;
    PostMessageW(window, WM_SETUP_EXIT, 2, TRUE);
    EXPECT_TRUE(PumpUntil([&] { return IsIdle(session); }));
    Settle();
    EXPECT_EQ(g_events, std::vector<HWND>{main});

    g_marks.clear();
    DestroyWindow(window);
    const std::vector<std::pair<HWND, LiveSetting>> unmarked = {
        {source, LiveSetting::Off}, {dlc, LiveSetting::Off}, {main, LiveSetting::Off}};
    EXPECT_EQ(g_marks, unmarked);
}

// The system's own service, as far as Wine has it: the call is made, and
// its answer is reported.
TEST_F(LiveRegions, TheSystemsPropertyServiceIsAskedAndItsAnswerReported)
{
    UseLiveSettingWriter(nullptr);
    HWND control = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    const HRESULT result = MarkLiveRegion(control);
    if (FAILED(result)) {
        char text[96];
        std::snprintf(text, sizeof(text), "0x%08lx", static_cast<unsigned long>(result));
        RecordProperty("SetHwndProp", text);
        std::printf("The system's property service refused the live setting: %s\n", text);
    }
    UnmarkLiveRegion(control);
    DestroyWindow(control);
}

// The home window's owner-drawn buttons are named by their window text,
// which is their label: the system's accessibility proxy reads it.
TEST_F(LiveRegions, OwnerDrawnButtonsKeepTheirLabelAsTheirName)
{
    CreateDarkTheme();
    RegisterHomeWindowClass();
    RegisterSettingsWindowClass();
    HomeState state;
    HWND home = CreateHomeWindow(state);
    ASSERT_NE(home, nullptr);
    const std::pair<int, const wchar_t*> buttons[] = {
        {IdPlay, L"Play"}, {IdSettings, L"Settings"}, {IdSetUpAgain, L"Set up again"}};
    for (const auto& [id, label] : buttons) {
        HWND button = Control(home, id);
        EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
        wchar_t text[32] = {};
        GetWindowTextW(button, text, 32);
        EXPECT_STREQ(text, label);
    }
    DestroyWindow(home);
}

} // namespace
