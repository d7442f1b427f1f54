#include "base/lock_retry.h"

namespace {

// winerror.h's values; the core does not include it.
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kSharingViolation = 32;
constexpr std::uint32_t kLockViolation = 33;

} // namespace

bool IsBriefLockError(std::uint32_t errorCode)
{
    return errorCode == kSharingViolation || errorCode == kLockViolation
        || errorCode == kAccessDenied;
}

bool RetryWhileLocked(const LockedWrite& write)
{
    if (write.attempt())
        return true;
    for (unsigned pause : kLockRetryWaitsMs) {
        if (!IsBriefLockError(write.lastError()))
            return false;
        write.wait(pause);
        if (write.attempt())
            return true;
    }
    return false;
}
