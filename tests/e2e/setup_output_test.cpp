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
#include "text_wait.h"

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
            // Where the run breaks tells a gap from a repeat.
            std::string breaks;
            for (size_t j = 0; j + 1 < numbered; ++j) {
                const bool both = lines[j].starts_with(prefix) && lines[j + 1].starts_with(prefix);
                if (both
                    && std::stol(lines[j + 1].substr(prefix.size()))
                        != std::stol(lines[j].substr(prefix.size())) + 1)
                    breaks += " after line " + std::to_string(j) + " ("
                        + testing::PrintToString(lines[j].substr(prefix.size())) + " then "
                        + testing::PrintToString(lines[j + 1].substr(prefix.size())) + ")";
            }
            ADD_FAILURE() << "line " << i << " of the log is \"" << lines[i].substr(prefix.size())
                          << "\" after the prefix, expected number " << expected << "; "
                          << numbered << " numbered lines; the run breaks" << breaks;
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

// Waits until the log ends with this line and holds at least this many: the
// log may take a few steps after the run has ended to show all it keeps.
bool WaitForLogLines(HWND log, const std::wstring& last, size_t atLeast = 1)
{
    return driver::WaitUntil([&] {
        const std::vector<std::wstring> lines = LogLines(driver::Text(log));
        return lines.size() >= atLeast && lines.back() == last;
    });
}

TEST(ToolOutput, AFloodEndsWithTheNewestLinesInOrderWithNoGap)
{
    constexpr long kLines = 200000;
    CheckRun run("[check-source]\nrepeat " + std::to_string(kLines)
                 + " flood line ${i}\nprint END OF FLOOD\n");
    ASSERT_TRUE(run.started);

    // Until the run has ended, the window must answer within a second.
    const ULONGLONG deadline = GetTickCount64() + 150000;
    while (!run.setup.ChoicesEnabled()) {
        ASSERT_TRUE(driver::AnswersWithin(run.setup.window, 1000)) << "no answer within 1 s";
        ASSERT_LT(GetTickCount64(), deadline) << "the run never ended";
        Sleep(50);
    }

    // The log keeps far more than the last few hundred lines.
    ASSERT_TRUE(WaitForLogLines(run.setup.Log(), L"END OF FLOOD", 2001))
        << LogLines(driver::Text(run.setup.Log())).size() << " lines";
    ExpectNumberedRun(LogLines(driver::Text(run.setup.Log())), L"flood line ", kLines);
}

// Keys and clicks must not wait for the output: Alt+F4 pressed on the
// keyboard closes the window (a check asks nothing) at once.
TEST(ToolOutput, AltF4DuringAFloodClosesTheWindowAtOnce)
{
    CheckRun run("[check-source]\nrepeat 400000 flood line ${i}\n");
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::Text(run.setup.Log()).size() > 1000; }));
    ASSERT_FALSE(run.setup.ChoicesEnabled()) << "the flood should still be running";

    // The time counts from before the press: the keys wait in the queue.
    const ULONGLONG pressed = GetTickCount64();
    ASSERT_TRUE(driver::PressChord(run.setup.window, {VK_MENU, VK_F4})) << "Alt+F4 was not taken";
    ASSERT_EQ(run.release.WaitForExit(run.launched, 10000), 0u);
    const ULONGLONG waited = GetTickCount64() - pressed;
    EXPECT_LT(waited, 1000u) << "Alt+F4 took " << waited << " ms";
}

TEST(ToolOutput, ThousandsOfLongLinesStillEndWithTheFinalLine)
{
    const std::string padding(280, 'x');
    CheckRun run("[check-source]\nrepeat 4000 " + padding + " long line ${i}\nprint the final line\n");
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.setup.WaitForIdle());

    HWND log = run.setup.Log();
    // As many as the log's bound holds: about 48,000 to 64,000 characters.
    ASSERT_TRUE(WaitForLogLines(log, L"the final line", 150));
    const std::vector<std::wstring> lines = LogLines(driver::Text(log));
    ExpectNumberedRun(lines, std::wstring(padding.begin(), padding.end()) + L" long line ", 4000);

    // The log is scrolled to its end: its last line is in view.
    DWORD_PTR lineCount = 0;
    DWORD_PTR firstVisible = 0;
    SendMessageTimeoutW(log, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &lineCount);
    SendMessageTimeoutW(log, EM_GETFIRSTVISIBLELINE, 0, 0, SMTO_ABORTIFHUNG, 5000, &firstVisible);
    EXPECT_GE(firstVisible + 8, lineCount) << "first visible " << firstVisible << " of " << lineCount;
}

// A zero byte hides nothing: it shows as a replacement character, and the
// lines after it, in the same read, all reach the log; in a result line the
// status text keeps what follows it too.
TEST(ToolOutput, AZeroByteHidesNothingAfterIt)
{
    CheckRun run("[check-source]\nwrite first\\x00half\\nsecond\\nthird\\n@R 1 ok\\x00 really\\n\n"
                 "print last\n");
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.setup.WaitForIdle());
    ASSERT_TRUE(WaitForLogLines(run.setup.Log(), L"last"));
    EXPECT_EQ(driver::Text(run.setup.Log()), L"first\xFFFDhalf\r\nsecond\r\nthird\r\nlast\r\n");
    EXPECT_TRUE(TextBecomes(run.setup.SourceStatus(), L"ok\xFFFD really"));
}

// A tool that leaves a helper behind holding its output (a build daemon, a
// device bridge) still ends its run: once the tool has ended and its output
// has drained, the run ends, with every line the tool printed shown.
TEST(ToolOutput, AHelperHoldingTheOutputDoesNotKeepTheRunGoing)
{
    CheckRun run("[check-source]\nprint before the helper\nhelper 5000\nprint @R 1 checked\n"
                 "print after the helper\ntouch ${source}.tool-ended\n");
    ASSERT_TRUE(run.started);
    const std::wstring toolEnded = run.release.Folder() + L"\\Disc.iso.tool-ended";
    ASSERT_TRUE(driver::WaitUntil([&] { return Exists(toolEnded); }));
    const ULONGLONG ended = GetTickCount64();
    ASSERT_TRUE(driver::WaitUntil([&] { return run.setup.ChoicesEnabled(); }, 6000));
    const ULONGLONG waited = GetTickCount64() - ended;
    EXPECT_LT(waited, 3000u) << "the run ended " << waited << " ms after the tool";
    ASSERT_TRUE(WaitForLogLines(run.setup.Log(), L"after the helper"));
    EXPECT_EQ(driver::Text(run.setup.Log()), L"before the helper\r\nafter the helper\r\n");
    EXPECT_TRUE(TextBecomes(run.setup.SourceStatus(), L"checked"));
    EXPECT_TRUE(run.setup.InstallEnabled());
}

// A helper that goes on printing after the tool has ended (a server that
// logs to the console it inherited) does not keep the run open either: it
// ends at the drain limit, about 5 s after the tool, although the output
// never pauses. The helper then loses its output and dies, as a real one
// would.
TEST(ToolOutput, AHelperThatGoesOnPrintingDoesNotKeepTheRunGoing)
{
    CheckRun run("[check-source]\nprint before the helper\nchatty-helper 30000\n"
                 "print @R 1 checked\ntouch ${source}.tool-ended\n");
    ASSERT_TRUE(run.started);
    const std::wstring toolEnded = run.release.Folder() + L"\\Disc.iso.tool-ended";
    ASSERT_TRUE(driver::WaitUntil([&] { return Exists(toolEnded); }));
    const ULONGLONG ended = GetTickCount64();
    ASSERT_TRUE(driver::WaitUntil([&] { return run.setup.ChoicesEnabled(); }, 20000))
        << "the run was still going 20 s after the tool ended";
    const ULONGLONG waited = GetTickCount64() - ended;
    EXPECT_LT(waited, 10000u) << "the run ended " << waited << " ms after the tool";
    EXPECT_TRUE(TextBecomes(run.setup.SourceStatus(), L"checked"));
    // The helper's lines were relayed while the run lasted.
    EXPECT_TRUE(driver::WaitUntil([&] {
        return driver::Text(run.setup.Log()).find(L"helper line ") != std::wstring::npos;
    }));
}

} // namespace
