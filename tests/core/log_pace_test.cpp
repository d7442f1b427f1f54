#include <gtest/gtest.h>

#include "setup/log_pace.h"

namespace {

TEST(LogStepDue, StepsNowAndThenWhileOutputFlowsAndAtOnceWhenItPauses)
{
    struct Case {
        const char* name;
        LogPaceTimes times;
        bool due;
    } cases[] = {
        {"output flowing, a step just taken", {10000, 9990, 10000, false}, false},
        {"output flowing, the last step a moment less than the interval ago",
         {10000, 10000 - kLogFlowStepMs + 1, 9999, false}, false},
        {"output flowing, the interval since the last step",
         {10000, 10000 - kLogFlowStepMs, 9999, false}, true},
        {"output a moment less than the pause ago", {10000, 9990, 10000 - kLogPauseMs + 1, false},
         false},
        {"output the pause ago", {10000, 9990, 10000 - kLogPauseMs, false}, true},
        {"output ended, a step just taken", {10000, 10000, 10000, true}, true},
        {"nothing ever stepped nor came", {10000, 0, 0, false}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LogStepDue(c.times), c.due) << c.name;
}

} // namespace
