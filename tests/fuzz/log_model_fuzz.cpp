// The log model and its edit control. The input: four bytes for the limits
// (high mark, low mark, step characters, step lines), then a script, one
// operation a byte with its argument in the next: add a line of a given
// length, skip lines, take a step, clear the log. The control is a string
// that each step changes as the window changes the edit control. Checks: the
// model holds lines of the run in order with no gap, within its bound; after
// every step the control shows exactly the lines the view names, each with
// CR LF; a step stays within its limit; and with no new lines the control
// shows the whole model after a bounded number of steps.
#include <map>
#include <string>

#include "fuzz_check.h"
#include "setup/log_model.h"

namespace {

struct Run {
    LogModel model;
    LogView view;
    StepLimit limit;
    std::wstring control;
    std::map<std::uint64_t, std::wstring> added; // every line added, by number

    void CheckModel() const
    {
        FUZZ_CHECK(model.lines.size() <= 1 || model.chars <= model.highMark);
        std::size_t chars = 0;
        for (std::size_t i = 0; i < model.lines.size(); ++i) {
            const auto line = added.find(model.first + i);
            FUZZ_CHECK(line != added.end() && line->second == model.lines[i]);
            chars += model.lines[i].size() + 2;
        }
        FUZZ_CHECK(chars == model.chars);
        FUZZ_CHECK(added.empty() || added.rbegin()->first < LogEnd(model));
    }

    void Step()
    {
        const LogStep step = NextLogStep(model, view, limit);
        // The view names lines of the model, consecutive.
        FUZZ_CHECK(view.first <= view.end);
        FUZZ_CHECK(view.first == view.end || (view.first >= model.first && view.end <= LogEnd(model)));
        std::size_t lines = 0, chars = 0;
        for (const std::wstring* text : {&step.prepend, &step.append}) {
            chars += text->size();
            for (std::size_t at = text->find(L"\r\n"); at != std::wstring::npos; at = text->find(L"\r\n", at + 2))
                ++lines;
        }
        FUZZ_CHECK(lines <= limit.lines);
        FUZZ_CHECK(lines <= 1 || chars <= limit.chars);
        FUZZ_CHECK(step.prepend.empty() || step.append.empty());

        if (step.clear)
            control.clear();
        FUZZ_CHECK(step.dropChars <= control.size());
        control.erase(0, step.dropChars);
        control.insert(0, step.prepend);
        control += step.append;

        std::wstring expected;
        for (std::uint64_t number = view.first; number < view.end; ++number)
            expected += model.lines[static_cast<std::size_t>(number - model.first)] + L"\r\n";
        FUZZ_CHECK(control == expected);
        FUZZ_CHECK(view.chars == control.size());
        FUZZ_CHECK(view.lengths.size() == view.end - view.first);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input{data, size};
    Run run;
    run.model.highMark = 1 + input.Byte() % 128;
    run.model.lowMark = input.Byte() % (run.model.highMark + 1);
    run.limit.chars = 1 + input.Byte() % 64;
    run.limit.lines = 1 + input.Byte() % 8;

    std::uint64_t operations = 0;
    while (input.size > 0 && ++operations < 5000) {
        const std::uint8_t operation = input.Byte();
        const std::uint8_t argument = input.Byte();
        switch (operation % 4) {
        case 0: {
            const std::uint64_t number = LogEnd(run.model);
            std::wstring line = std::to_wstring(number);
            line.resize(argument % 40, L'.');
            run.added[number] = line;
            AddLogLine(run.model, line);
            break;
        }
        case 1:
            SkipLogLines(run.model, argument % 8);
            break;
        case 2:
            for (int steps = 0; steps <= argument % 4; ++steps)
                run.Step();
            break;
        case 3:
            if (argument % 8 == 0) { // clearing is rare in the window too
                ClearLog(run.model, run.view);
                run.control.clear();
            }
            break;
        }
        run.CheckModel();
    }

    // No new lines: the control catches up in a bounded number of steps.
    const std::size_t most = run.model.lines.size() + 2;
    std::size_t steps = 0;
    while (!ViewIsCurrent(run.model, run.view)) {
        FUZZ_CHECK(++steps <= most);
        run.Step();
    }
    std::wstring whole;
    for (const std::wstring& line : run.model.lines)
        whole += line + L"\r\n";
    FUZZ_CHECK(run.control == whole);
    return 0;
}
