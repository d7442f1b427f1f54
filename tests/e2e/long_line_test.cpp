// A tool line that never ends (a progress display that only returns the
// carriage, binary output by mistake) must not eat the launcher's memory or
// hold back what the tool says after it.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <string>

#include "dialogs.h"
#include "driver.h"
#include "release.h"
#include "setup_view.h"

namespace {

SIZE_T WorkingSet(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process, &memory, sizeof(memory));
    return memory.WorkingSetSize;
}

TEST(LongLine, A64MegabyteLineWithoutALineFeedKeepsMemoryFlatAndTheVerdictArrives)
{
    constexpr unsigned long long kLineBytes = 64ull << 20;
    Release release;
    release.WriteScenario("[check-source]\nfill " + std::to_string(kLineBytes)
                          + " progress 42%\\r\nprint\nprint @R 1 Disc accepted after the long line\n");
    const std::wstring iso = release.Folder() + L"\\Disc.iso";
    WriteBytes(iso, "disc");
    Launched launched = release.Start();
    SetupWindow setup;
    setup.window = driver::WaitForTopWindow(launched.processId, kSetupClassName);
    ASSERT_NE(setup.window, nullptr);

    driver::ClickId(setup.window, IdDiscImage);
    HWND dialog = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialogs::ChooseFile(dialog, iso));
    const SIZE_T before = WorkingSet(launched.process);

    SIZE_T largest = before;
    const bool verdict = driver::WaitUntil(
        [&] {
            largest = std::max(largest, WorkingSet(launched.process));
            return driver::Text(driver::Child(setup.window, IdSourceStatus))
                == L"Disc accepted after the long line";
        },
        120000);
    EXPECT_TRUE(verdict) << "the status line shows "
                         << testing::PrintToString(driver::Text(driver::Child(setup.window, IdSourceStatus)));
    EXPECT_TRUE(setup.WaitForIdle());
    // The line passes in pieces: the launcher holds a few of them at a time.
    const SIZE_T growth = largest > before ? largest - before : 0;
    EXPECT_LT(growth, kLineBytes / 4) << "the working set grew by " << growth / 1024 << " KiB";
    EXPECT_TRUE(driver::AnswersWithin(setup.window, 1000));

    PostMessageW(setup.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(release.WaitForExit(launched), 0u);
}

} // namespace
