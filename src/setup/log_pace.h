// When the setup log's control takes its next step towards the log model: a
// pure function of the times involved, so that the window only carries out
// the answer. While output flows, a step now and then keeps the control
// moving without taking the window's time from input and paint; once the
// output pauses or has ended, steps follow each other until the control
// shows the whole model. Times are milliseconds of one monotonic clock. No
// system call is needed.
#pragma once

#include <cstdint>

// While output flows, the control takes a step this often...
inline constexpr std::uint64_t kLogFlowStepMs = 500;
// ...and the output counts as paused when no batch came for this long.
inline constexpr std::uint64_t kLogPauseMs = 50;

struct LogPaceTimes {
    std::uint64_t now = 0;
    std::uint64_t lastStep = 0;   // when the control last took a step
    std::uint64_t lastOutput = 0; // when the last batch of output came
    bool outputEnded = false;     // the run's output is over: no batch will come
};

// Whether the control takes a step now (the caller asks only while the
// control does not yet show the whole model).
bool LogStepDue(const LogPaceTimes& times);
