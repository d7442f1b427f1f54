// The setup window takes the tool's output as batches, each carrying the
// reader's semaphore, then the run's end: the status lines, their colours,
// the bar, the buttons and the log end as the lines say, and every batch's
// semaphore is released once the window has taken it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/launcher_state_win.h"
#include "driver.h"
#include "pump_messages.h"
#include "base/names.h"
#include "setup/output_batcher.h"
#include "setup/setup_messages_win.h"
#include "setup/setup_session.h"
#include "setup/setup_window_win.h"
#include "theme/palette.h"
#include "theme/window_builder_win.h"

namespace {

// The text colour the window answers for one of its statics.
COLORREF AnsweredTextColour(HWND window, int id)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Control(window, id)));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

std::unique_ptr<OutputBatch> Batch(std::initializer_list<const wchar_t*> logLines)
{
    auto batch = std::make_unique<OutputBatch>();
    for (const wchar_t* line : logLines)
        batch->logLines.emplace_back(line);
    batch->lineCount = batch->logLines.size();
    return batch;
}

// A batch of log lines "<prefix><from>" up to "<prefix><from + count - 1>".
std::unique_ptr<OutputBatch> NumberedBatch(const std::wstring& prefix, int from, int count)
{
    auto batch = std::make_unique<OutputBatch>();
    for (int i = from; i < from + count; ++i)
        batch->logLines.push_back(prefix + std::to_wstring(i));
    batch->lineCount = batch->logLines.size();
    return batch;
}

class SetupOutput : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX commonControls = {sizeof(commonControls), ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&commonControls);
        g_state.launcherFolder = L"C:\\nowhere";
        g_state.installFolder = L"C:\\nowhere\\game";
        window_ = CreateSetupWindow();
        ASSERT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOW);
        taken_ = CreateSemaphoreW(nullptr, 0, 100, nullptr);
    }

    void TearDown() override
    {
        DestroyWindow(window_);
        CloseHandle(taken_);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    void Post(std::unique_ptr<OutputBatch> batch)
    {
        ASSERT_TRUE(PostMessageW(window_, WM_SETUP_OUTPUT, reinterpret_cast<WPARAM>(taken_),
                                 reinterpret_cast<LPARAM>(batch.release())));
    }

    // Takes one release of the semaphore, pumping until the window gives it.
    [[nodiscard]] bool Released()
    {
        return PumpUntil([&] { return WaitForSingleObject(taken_, 0) == WAIT_OBJECT_0; });
    }

    HWND window_ = nullptr;
    HANDLE taken_ = nullptr;
};

TEST_F(SetupOutput, BatchesOfACheckEndAsTheirLinesSayAndEveryBatchIsLetGo)
{
    SetupSession& session = SessionOf(window_);
    session.phase = SetupPhase::CheckSource;
    session.source = {false, CheckVerdict::Checking};
    SetWindowTextW(Control(window_, IdSourceStatus), L"Checking...");
    EXPECT_EQ(AnsweredTextColour(window_, IdSourceStatus), StatusPendingColour);

    auto first = Batch({L"reading the disc", L"sector 1"});
    first->hasProgress = true;
    first->progress = 10;
    first->hasStatusText = true;
    first->statusText = L"Reading";
    Post(std::move(first));

    // Two verdicts in one batch: the last one decides.
    auto second = Batch({L"checked"});
    second->results = {{false, L"Not yet"}, {true, L"Disc accepted"}};
    Post(std::move(second));

    // Lines that could never be shown were skipped: the log starts again
    // from the newest ones, with no gap.
    auto third = Batch({L"newest but one", L"newest"});
    third->logLinesSkipped = 5000;
    third->hasProgress = true;
    third->progress = 55;
    Post(std::move(third));

    for (int batch = 0; batch < 3; ++batch)
        EXPECT_TRUE(Released()) << "batch " << batch;

    PostMessageW(window_, WM_SETUP_EXIT, 0, TRUE);
    EXPECT_TRUE(PumpUntil([&] { return IsIdle(session); }));
    EXPECT_TRUE(PumpUntil(
        [&] { return TextOf(Control(window_, IdLog)) == L"newest but one\r\nnewest\r\n"; }))
        << "the log shows: " << testing::PrintToString(TextOf(Control(window_, IdLog)));

    EXPECT_EQ(TextOf(Control(window_, IdMainStatus)), L"Reading");
    EXPECT_EQ(SendMessageW(Control(window_, IdProgress), PBM_GETPOS, 0, 0), 55);
    EXPECT_EQ(TextOf(Control(window_, IdSourceStatus)), L"Disc accepted");
    EXPECT_EQ(AnsweredTextColour(window_, IdSourceStatus), StatusOkColour);
    EXPECT_TRUE(session.source.accepted);
    for (int id : {IdDiscImage, IdFolder, IdAddDlc, IdClearList, IdBrowse, IdInstallOrPlay})
        EXPECT_TRUE(IsWindowEnabled(Control(window_, id))) << id;
    EXPECT_EQ(TextOf(Control(window_, IdInstallOrPlay)), L"Install");
    EXPECT_EQ(WaitForSingleObject(taken_, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "released more often than batches were posted";
}

// A batch of more lines than the log takes in one step: once the run has
// ended the log shows the newest line at once and then fills in the older
// ones, and through its steps it stays visible with its scroll bar at the
// end.
TEST_F(SetupOutput, AfterALongBatchTheLogShowsTheNewestLineFirstThenEveryLine)
{
    SetupSession& session = SessionOf(window_);
    session.phase = SetupPhase::CheckSource;
    session.source = {false, CheckVerdict::Checking};
    auto batch = NumberedBatch(L"line ", 0, 1000);
    std::wstring all;
    for (const std::wstring& line : batch->logLines)
        all += line + L"\r\n";
    Post(std::move(batch));
    ASSERT_TRUE(Released());
    // Handled at once, so that what the log shows right after the run's end
    // can be read before any later step.
    SendMessageW(window_, WM_SETUP_EXIT, 0, TRUE);
    ASSERT_TRUE(IsIdle(session));

    const HWND log = Control(window_, IdLog);
    const auto endsWithNewest = [&] {
        const std::wstring text = TextOf(log);
        return text.size() >= 10 && text.compare(text.size() - 10, 10, L"line 999\r\n") == 0;
    };
    const auto atTheEnd = [&] {
        SCROLLINFO scroll = {};
        scroll.cbSize = sizeof(scroll);
        scroll.fMask = SIF_ALL;
        GetScrollInfo(log, SB_VERT, &scroll);
        return scroll.nPos + static_cast<int>(scroll.nPage) > scroll.nMax;
    };
    EXPECT_TRUE(endsWithNewest());
    bool visible = true, newest = true, scrolled = true;
    EXPECT_TRUE(PumpUntil([&] {
        visible = visible && IsWindowVisible(log);
        newest = newest && endsWithNewest();
        scrolled = scrolled && atTheEnd();
        return TextOf(log) == all;
    }));
    EXPECT_TRUE(visible);
    EXPECT_TRUE(newest);
    EXPECT_TRUE(scrolled);
}

// The log as the screen shows it, once its paint is done and has had time
// to reach the screen (nothing tells when it has).
std::vector<COLORREF> LogOnScreen(HWND log)
{
    EXPECT_TRUE(PumpUntil([&] { return !GetUpdateRect(log, nullptr, FALSE); }));
    const ULONGLONG until = GetTickCount64() + 300;
    EXPECT_TRUE(PumpUntil([&] { return GetTickCount64() >= until; }));
    return driver::ScreenPixels(log);
}

// A step may leave the log's scroll bar as it is on the screen and draw only
// the text again; whether it did or not, the screen must show the log as a
// full repaint draws it. Each batch here replaces the whole log with as many
// lines as before, as a flood does, so its scroll bar stays the same after
// the first.
TEST_F(SetupOutput, AfterEveryStepTheScreenShowsTheLogAsARepaintDrawsIt)
{
    SetupSession& session = SessionOf(window_);
    session.phase = SetupPhase::CheckSource;
    const HWND log = Control(window_, IdLog);
    for (int round = 0; round < 4; ++round) {
        auto batch = NumberedBatch(L"flood line ", round * 1000, 60);
        batch->logLinesSkipped = 1000;
        batch->lineCount += 1000;
        Post(std::move(batch));
        ASSERT_TRUE(Released());
        ASSERT_TRUE(PumpUntil([&] { return ViewIsCurrent(session.log, session.logView); }));
        const std::vector<COLORREF> shown = LogOnScreen(log);
        RedrawWindow(log, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        EXPECT_TRUE(shown == LogOnScreen(log)) << "round " << round;
    }
}

// During an installation run, result lines are not verdicts: both check
// lines keep what they showed.
TEST_F(SetupOutput, AResultLineDuringAnInstallationChangesNoCheckLine)
{
    SetupSession& session = SessionOf(window_);
    session.phase = SetupPhase::Install;
    session.source = {true, CheckVerdict::Passed};
    SetWindowTextW(Control(window_, IdSourceStatus), L"Disc accepted");

    auto batch = Batch({L"building"});
    batch->results = {{false, L"Not a disc"}};
    Post(std::move(batch));
    EXPECT_TRUE(Released());

    EXPECT_EQ(TextOf(Control(window_, IdSourceStatus)), L"Disc accepted");
    EXPECT_EQ(AnsweredTextColour(window_, IdSourceStatus), StatusOkColour);
    EXPECT_TRUE(session.source.accepted);
}

} // namespace
