// Writes that wait out a brief lock. Virus scanners, search indexers and
// sync clients open a freshly written file for a fraction of a second; a
// replace that meets such a lock is tried again for about a second before it
// counts as failed.
#pragma once

#include <cstdint>
#include <functional>

// The pauses between the attempts, in milliseconds: 1,050 ms in all.
inline constexpr unsigned kLockRetryWaitsMs[] = {20, 40, 80, 160, 250, 250, 250};

// The system error codes of a file that another program holds open:
// sharing violation, lock violation, and access denied (what a delete
// pending or a scanner's handle gives).
bool IsBriefLockError(std::uint32_t errorCode);

struct LockedWrite {
    std::function<bool()> attempt;             // true when the write took
    std::function<std::uint32_t()> lastError;  // the failed attempt's error code
    std::function<void(unsigned ms)> wait;
};

// Runs the attempt; while it fails with a brief-lock error, waits the next
// pause and runs it again. True as soon as one attempt takes; false after a
// failure of another kind or once the pauses are spent, with the last
// attempt's error code still the one lastError gives.
bool RetryWhileLocked(const LockedWrite& write);
