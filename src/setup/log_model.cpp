#include "setup/log_model.h"

#include <algorithm>

namespace {

std::size_t ShownLength(const std::wstring& line)
{
    return line.size() + kLogLineEndChars;
}

const std::wstring& LineAt(const LogModel& model, std::uint64_t number)
{
    return model.lines[static_cast<std::size_t>(number - model.first)];
}

// Whether one more line of this length still fits in the step; the first
// line always does, so every step makes progress.
bool Fits(std::size_t chars, std::size_t lines, std::size_t length, StepLimit limit)
{
    return lines == 0 || (lines < limit.lines && chars + length <= limit.chars);
}

// Whether the lines after what the control shows fit in one step.
bool NewerLinesFit(const LogModel& model, const LogView& view, StepLimit limit)
{
    const std::uint64_t end = LogEnd(model);
    std::size_t chars = 0, lines = 0;
    for (std::uint64_t number = std::max(view.end, model.first); number < end; ++number) {
        const std::size_t length = ShownLength(LineAt(model, number));
        if (!Fits(chars, lines, length, limit))
            return false;
        chars += length;
        ++lines;
    }
    return true;
}

} // namespace

void AddLogLine(LogModel& model, std::wstring line)
{
    model.chars += ShownLength(line);
    model.lines.push_back(std::move(line));
    if (model.chars <= model.highMark)
        return;
    while (model.lines.size() > 1 && model.chars > model.lowMark) {
        model.chars -= ShownLength(model.lines.front());
        model.lines.pop_front();
        ++model.first;
    }
}

std::uint64_t LogEnd(const LogModel& model)
{
    return model.first + model.lines.size();
}

void SkipLogLines(LogModel& model, std::uint64_t count)
{
    model.first = LogEnd(model) + count;
    model.lines.clear();
    model.chars = 0;
}

void ClearLog(LogModel& model, LogView& view)
{
    const std::uint64_t next = LogEnd(model);
    model.lines.clear();
    model.chars = 0;
    model.first = next;
    view = LogView();
    view.first = view.end = next;
}

bool ViewIsCurrent(const LogModel& model, const LogView& view)
{
    return view.first == model.first && view.end == LogEnd(model);
}

LogStep NextLogStep(const LogModel& model, LogView& view, StepLimit limit)
{
    LogStep step;
    const std::uint64_t end = LogEnd(model);

    // Everything shown has left the model (or nothing is shown), or the
    // newer lines would take more than this step: start again from the
    // newest lines, so the control never shows a gap and one step always
    // brings the newest line.
    if (view.end <= model.first || view.first == view.end
        || !NewerLinesFit(model, view, limit)) {
        step.clear = view.chars > 0;
        view = LogView();
        view.first = view.end = end;
    }

    // Lines that left the model leave the control.
    while (view.first < model.first && view.first < view.end) {
        step.dropChars += view.lengths.front();
        view.chars -= view.lengths.front();
        view.lengths.pop_front();
        ++view.first;
    }

    std::size_t chars = 0, lines = 0;
    if (view.end < end) {
        // Newer lines, oldest first, after what is shown.
        while (view.end < end && Fits(chars, lines, ShownLength(LineAt(model, view.end)), limit)) {
            const std::wstring& line = LineAt(model, view.end);
            step.append += line;
            step.append += kLogLineEnd;
            view.lengths.push_back(ShownLength(line));
            chars += ShownLength(line);
            ++lines;
            ++view.end;
        }
    } else if (view.first > model.first) {
        // Nothing newer is missing: older lines, newest first, before what is shown.
        std::uint64_t from = view.first;
        while (from > model.first && Fits(chars, lines, ShownLength(LineAt(model, from - 1)), limit)) {
            --from;
            chars += ShownLength(LineAt(model, from));
            ++lines;
        }
        for (std::uint64_t number = from; number < view.first; ++number) {
            step.prepend += LineAt(model, number);
            step.prepend += kLogLineEnd;
        }
        for (std::uint64_t number = view.first; number > from; --number)
            view.lengths.push_front(ShownLength(LineAt(model, number - 1)));
        view.first = from;
    }
    view.chars += chars;
    return step;
}
