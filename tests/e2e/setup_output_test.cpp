// Large amounts of tool output in the setup window: every line arrives in
// order, the log keeps the newest lines, and the window stays responsive.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "dialogs.h"
#include "driver.h"
#include "release.h"
#include "setup_view.h"

namespace {

std::vector<std::wstring> LogLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end = text.find(L"\r\n"); end != std::wstring::npos;
         start = end + 2, end = text.find(L"\r\n", start))
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start)); // an unfinished last line
    return lines;
}

// Checks that the lines before the last one are prefix + consecutive numbers
// ending at lastNumber; returns how many there are.
size_t ExpectNumberedRun(const std::vector<std::wstring>& lines, const std::wstring& prefix,
                         long lastNumber)
{
    const size_t numbered = lines.size() - 1;
    for (size_t i = 0; i < numbered; ++i) {
        const long expected = lastNumber - static_cast<long>(numbered - 1 - i);
        if (lines[i] != prefix + std::to_wstring(expected)) {
            ADD_FAILURE() << "line " << i << " of the log is \"" << lines[i] << "\", expected number "
                          << expected;
            break;
        }
    }
    return numbered;
}

// Starts the launcher and a source check whose tool plays the scenario.
struct CheckRun {
    explicit CheckRun(const std::string& scenario)
    {
        release.WriteScenario(scenario);
        const std::wstring iso = release.Folder() + L"\\Disc.iso";
        WriteBytes(iso, "disc");
        launched = release.Start();
        setup.window = driver::WaitForTopWindow(launched.processId, kSetupClassName);
        if (!setup.window)
            return;
        driver::ClickId(setup.window, IdDiscImage);
        HWND dialog = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
        started = dialog && dialogs::ChooseFile(dialog, iso)
            && driver::WaitUntil([&] { return !release.ToolStarts().empty(); });
    }

    ~CheckRun()
    {
        if (launched.process && release.WaitForExit(launched, 0) == STILL_ACTIVE) {
            PostMessageW(setup.window, WM_CLOSE, 0, 0);
            EXPECT_EQ(release.WaitForExit(launched), 0u);
        }
    }

    Release release;
    Launched launched;
    SetupWindow setup;
    bool started = false;
};

TEST(ToolOutput, AFloodOfLinesIsShownInOrderWhileTheWindowKeepsAnswering)
{
    constexpr long kLines = 200000;
    CheckRun run("[check-source]\nrepeat " + std::to_string(kLines)
                 + " flood line ${i}\nprint END OF FLOOD\n");
    ASSERT_TRUE(run.started);

    // Until the run has ended, the window must answer within a second.
    DWORD longest = 0;
    const ULONGLONG deadline = GetTickCount64() + 150000;
    while (!run.setup.ChoicesEnabled()) {
        DWORD elapsed = 0;
        ASSERT_TRUE(driver::AnswersWithin(run.setup.window, 1000, &elapsed))
            << "no answer to WM_NULL within 1 s";
        longest = std::max(longest, elapsed);
        ASSERT_LT(GetTickCount64(), deadline) << "the run never ended";
        Sleep(50);
    }
    std::printf("longest WM_NULL round trip: %lu ms\n", longest);

    const std::vector<std::wstring> lines = LogLines(driver::Text(run.setup.Log()));
    ASSERT_GE(lines.size(), 200u);
    EXPECT_EQ(lines.back(), L"END OF FLOOD");
    ExpectNumberedRun(lines, L"flood line ", kLines);
}

TEST(ToolOutput, ThousandsOfLongLinesStillEndWithTheFinalLine)
{
    const std::string padding(280, 'x');
    CheckRun run("[check-source]\nrepeat 4000 " + padding + " long line ${i}\nprint the final line\n");
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.setup.WaitForIdle());

    HWND log = run.setup.Log();
    const std::vector<std::wstring> lines = LogLines(driver::Text(log));
    ASSERT_GE(lines.size(), 20u);
    EXPECT_EQ(lines.back(), L"the final line");
    ExpectNumberedRun(lines, std::wstring(padding.begin(), padding.end()) + L" long line ", 4000);

    // The log is scrolled to its end: its last line is in view.
    DWORD_PTR lineCount = 0;
    DWORD_PTR firstVisible = 0;
    SendMessageTimeoutW(log, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &lineCount);
    SendMessageTimeoutW(log, EM_GETFIRSTVISIBLELINE, 0, 0, SMTO_ABORTIFHUNG, 5000, &firstVisible);
    EXPECT_GE(firstVisible + 8, lineCount) << "first visible " << firstVisible << " of " << lineCount;
}

} // namespace
