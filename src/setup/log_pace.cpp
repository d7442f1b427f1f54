#include "setup/log_pace.h"

bool LogStepDue(const LogPaceTimes& times)
{
    return times.outputEnded || times.now - times.lastOutput >= kLogPauseMs
        || times.now - times.lastStep >= kLogFlowStepMs;
}
