#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "setup/log_model.h"

namespace {

std::wstring Line(std::uint64_t number)
{
    return L"line " + std::to_wstring(number);
}

// The model's lines [from, to) as the control shows them.
std::wstring Shown(const LogModel& model, std::uint64_t from, std::uint64_t to)
{
    std::wstring text;
    for (std::uint64_t number = from; number < to; ++number)
        text += model.lines[static_cast<size_t>(number - model.first)] + L"\r\n";
    return text;
}

// Applies a step to a string standing in for the edit control.
void Apply(const LogStep& step, std::wstring& control)
{
    if (step.clear)
        control.clear();
    ASSERT_LE(step.dropChars, control.size());
    control.erase(0, step.dropChars);
    control.insert(0, step.prepend);
    control += step.append;
}

// After every step the control shows lines of the model, consecutive and
// in order, up to the model's newest line.
void ExpectControlIsAPartOfTheModel(const LogModel& model, const LogView& view,
                                    const std::wstring& control)
{
    ASSERT_GE(view.first, model.first);
    ASSERT_EQ(view.end, LogEnd(model));
    ASSERT_EQ(control, Shown(model, view.first, view.end));
    ASSERT_EQ(view.chars, control.size());
}

TEST(LogModel, KeepsTheNewestLinesWithinItsBound)
{
    LogModel model;
    model.highMark = 1000;
    model.lowMark = 600;
    for (std::uint64_t i = 0; i < 5000; ++i) {
        AddLogLine(model, Line(i));
        ASSERT_LE(model.chars, 1000u);
        ASSERT_EQ(model.lines.back(), Line(i));
        ASSERT_EQ(model.lines.front(), Line(model.first));
    }
    EXPECT_GE(model.chars, 600u - 20);
    EXPECT_EQ(LogEnd(model), 5000u);

    // A line longer than the bound stays alone; the next one pushes it out.
    AddLogLine(model, std::wstring(3000, L'x'));
    EXPECT_EQ(model.lines.size(), 1u);
    AddLogLine(model, L"after");
    EXPECT_EQ(model.lines.size(), 1u);
    EXPECT_EQ(model.lines.front(), L"after");
}

// Bursts of every size between steps: whatever arrives, the control only
// ever shows consecutive lines of the model, never more than a step's worth
// changes at once, and once the output stops a few steps make it show
// exactly the model.
TEST(LogModel, TheControlCatchesUpWithoutGapsWhateverTheBursts)
{
    struct Case {
        const char* name;
        int burst;  // lines between two steps
        int rounds;
    } cases[] = {
        {"one line at a time", 1, 500},
        {"a step's worth", 300, 50},
        {"more than a step, less than the bound", 2000, 30},
        {"more than the whole bound", 20000, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogModel model;
        LogView view;
        std::wstring control;
        std::uint64_t next = 0;
        for (int round = 0; round < c.rounds; ++round) {
            for (int i = 0; i < c.burst; ++i)
                AddLogLine(model, Line(next++));
            const LogStep step = NextLogStep(model, view);
            ASSERT_LE(step.prepend.size() + step.append.size(), kLogStepChars);
            Apply(step, control);
            ExpectControlIsAPartOfTheModel(model, view, control);
        }
        int steps = 0;
        while (!ViewIsCurrent(model, view) && steps < 100) {
            Apply(NextLogStep(model, view), control);
            ExpectControlIsAPartOfTheModel(model, view, control);
            ++steps;
        }
        EXPECT_TRUE(ViewIsCurrent(model, view));
        EXPECT_EQ(control, Shown(model, model.first, LogEnd(model)));
        // A step is bounded by lines or by characters, whichever comes first.
        const size_t byLines = model.lines.size() / kLogStepLines;
        const size_t byChars = model.chars / kLogStepChars;
        EXPECT_LE(steps, static_cast<int>(std::max(byLines, byChars)) + 2);
        EXPECT_EQ(model.lines.back(), Line(next - 1));
    }
}

TEST(LogModel, RandomBurstsAndSteps)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        LogModel model;
        model.highMark = 3000;
        model.lowMark = 2000;
        LogView view;
        std::wstring control;
        std::uint64_t next = 0;
        const StepLimit limit{1 + random() % 40, 50 + random() % 600};
        for (int round = 0; round < 60; ++round) {
            const int burst = static_cast<int>(random() % 300);
            for (int i = 0; i < burst; ++i)
                AddLogLine(model, std::wstring(random() % 30, L'a') + Line(next++));
            Apply(NextLogStep(model, view, limit), control);
            ExpectControlIsAPartOfTheModel(model, view, control);
            if (HasFatalFailure())
                return;
        }
        for (int steps = 0; !ViewIsCurrent(model, view) && steps < 1000; ++steps)
            Apply(NextLogStep(model, view, limit), control);
        ASSERT_EQ(control, Shown(model, model.first, LogEnd(model))) << seed;
    }
}

TEST(LogModel, ClearingStartsANewLogAfterTheOldLines)
{
    LogModel model;
    LogView view;
    std::wstring control;
    for (int i = 0; i < 3; ++i)
        AddLogLine(model, Line(i));
    Apply(NextLogStep(model, view), control);
    EXPECT_EQ(control, L"line 0\r\nline 1\r\nline 2\r\n");

    ClearLog(model, view);
    control.clear(); // the window empties the control itself
    EXPECT_TRUE(ViewIsCurrent(model, view));
    AddLogLine(model, L"");
    AddLogLine(model, L"fresh");
    Apply(NextLogStep(model, view), control);
    EXPECT_EQ(control, L"\r\nfresh\r\n");
    EXPECT_TRUE(ViewIsCurrent(model, view));
}

TEST(SkipLogLines, TheModelMovesOnPastTheSkippedLinesAndTheControlStartsAgain)
{
    struct Case {
        const char* name;
        int before;  // lines in the model first
        bool shown;  // the control shows them
        std::uint64_t skipped;
        int after;   // lines added after the skip
    } cases[] = {
        {"an empty model", 0, false, 5, 2},
        {"lines not yet shown", 3, false, 5, 2},
        {"lines shown", 3, true, 1, 2},
        {"nothing added after", 3, true, 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogModel model;
        LogView view;
        std::wstring control;
        for (int i = 0; i < c.before; ++i)
            AddLogLine(model, L"old " + std::to_wstring(i));
        auto apply = [&] {
            const LogStep step = NextLogStep(model, view);
            if (step.clear)
                control.clear();
            control.erase(0, step.dropChars);
            control.insert(0, step.prepend);
            control += step.append;
        };
        if (c.shown)
            apply();
        const std::uint64_t end = LogEnd(model);
        SkipLogLines(model, c.skipped);
        EXPECT_EQ(model.first, end + c.skipped);
        EXPECT_TRUE(model.lines.empty());
        EXPECT_EQ(model.chars, 0u);
        std::wstring expected;
        for (int i = 0; i < c.after; ++i) {
            AddLogLine(model, L"new " + std::to_wstring(i));
            expected += L"new " + std::to_wstring(i) + L"\r\n";
        }
        EXPECT_EQ(LogEnd(model), end + c.skipped + c.after);
        for (int steps = 0; steps < 10 && !ViewIsCurrent(model, view); ++steps)
            apply();
        EXPECT_TRUE(ViewIsCurrent(model, view));
        EXPECT_EQ(control, expected);
    }
}

} // namespace
