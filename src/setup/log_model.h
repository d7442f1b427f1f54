// The setup log as the window keeps it, apart from what its edit control
// shows. The model holds the newest output lines, in order and with no gap,
// up to a bound: past a high mark of characters its oldest lines go, down to
// a low mark. The edit control is brought up to date with the model in steps
// of bounded size, because an edit control takes time for every line and
// every character it is given (under Wine roughly 100 microseconds a line
// plus 2 a character): a step costs at most a few tens of milliseconds, and
// enough steps make the control show exactly the model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

inline constexpr std::size_t kLogHighMark = 64000;
inline constexpr std::size_t kLogLowMark = 48000;
inline constexpr std::size_t kLogStepChars = 2000;
inline constexpr std::size_t kLogStepLines = 60;

// The CR LF that ends every line in the control; the model and the batches
// count it with the line.
inline constexpr wchar_t kLogLineEnd[] = L"\r\n";
inline constexpr std::size_t kLogLineEndChars = sizeof(kLogLineEnd) / sizeof(wchar_t) - 1;

// Lines are numbered from the first line of the run; every line is counted
// with the CR LF that ends it in the control.
struct LogModel {
    std::deque<std::wstring> lines; // without their line ends
    std::uint64_t first = 0;        // the number of lines.front()
    std::size_t chars = 0;
    std::size_t highMark = kLogHighMark;
    std::size_t lowMark = kLogLowMark;
};

// What the edit control shows: the lines [first, end) of the model's
// numbering, each followed by CR LF, and the length of each.
struct LogView {
    std::uint64_t first = 0;
    std::uint64_t end = 0;
    std::deque<std::size_t> lengths; // with CR LF
    std::size_t chars = 0;
};

// One step of bringing the control up to date, applied in this order.
struct LogStep {
    bool clear = false;         // empty the control: all it shows has left the model
    std::size_t dropChars = 0;  // delete this many characters from its front
    std::wstring prepend;       // older lines to insert at its front
    std::wstring append;        // newer lines to add at its end
};

struct StepLimit {
    std::size_t chars = kLogStepChars;
    std::size_t lines = kLogStepLines;
};

// Appends a line; past the high mark the oldest lines go, down to the low
// mark (the newest line always stays, however long).
void AddLogLine(LogModel& model, std::wstring line);

std::uint64_t LogEnd(const LogModel& model);

// Counts lines that came after the model's lines but were never built (they
// would have left the model before they could be shown): the model's lines
// all leave, since no gap is allowed, and the numbering moves on past the
// skipped ones: first becomes LogEnd + count, with no lines. The newer lines
// that follow are added with AddLogLine; NextLogStep then starts the control
// again from the newest lines.
void SkipLogLines(LogModel& model, std::uint64_t count);

// Empties the model and the view's record for a new log.
void ClearLog(LogModel& model, LogView& view);

// True when the control shows exactly the model.
bool ViewIsCurrent(const LogModel& model, const LogView& view);

// The next step towards the model, and the view as it will be once the step
// is applied. In turn: lines that left the model are dropped from the front;
// newer lines are appended; once nothing newer is missing, older lines of
// the model are filled in at the front. When everything shown has left the
// model, or the newer lines would not fit in one step, the control starts
// again from the model's newest lines, so every step ends the control with
// the model's newest line. A step adds at most limit.chars characters and
// limit.lines lines (at least one line).
LogStep NextLogStep(const LogModel& model, LogView& view, StepLimit limit = {});
