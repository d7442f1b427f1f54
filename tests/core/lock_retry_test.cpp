#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "base/lock_retry.h"

namespace {

constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kSharingViolation = 32;
constexpr std::uint32_t kLockViolation = 33;
constexpr std::uint32_t kDiskFull = 112;
constexpr std::uint32_t kPathNotFound = 3;

// Each attempt fails with the next code of the list (0: it takes); the
// record says how many attempts ran and which pauses came between them.
struct Attempts {
    bool result = false;
    size_t attempts = 0;
    std::vector<unsigned> waits;
};

Attempts Play(const std::vector<std::uint32_t>& outcomes)
{
    Attempts run;
    std::uint32_t last = 0;
    LockedWrite write;
    write.attempt = [&] {
        last = run.attempts < outcomes.size() ? outcomes[run.attempts] : kSharingViolation;
        ++run.attempts;
        return last == 0;
    };
    write.lastError = [&] { return last; };
    write.wait = [&](unsigned ms) { run.waits.push_back(ms); };
    run.result = RetryWhileLocked(write);
    return run;
}

TEST(LockRetry, ABriefLockIsWaitedOutAndOtherFailuresAreNot)
{
    struct Case {
        const char* name;
        std::vector<std::uint32_t> outcomes;
        bool result;
        size_t attempts;
    };
    const Case cases[] = {
        {"first attempt takes", {0}, true, 1},
        {"sharing violation, then free", {kSharingViolation, kSharingViolation, 0}, true, 3},
        {"lock violation, then free", {kLockViolation, 0}, true, 2},
        {"access denied, then free", {kAccessDenied, 0}, true, 2},
        {"a full disk is not a lock", {kDiskFull, 0}, false, 1},
        {"a missing folder is not a lock", {kPathNotFound}, false, 1},
        {"a lock, then a full disk", {kSharingViolation, kDiskFull, 0}, false, 2},
        {"held for good", {}, false, std::size(kLockRetryWaitsMs) + 1},
    };
    for (const Case& c : cases) {
        const Attempts run = Play(c.outcomes);
        EXPECT_EQ(run.result, c.result) << c.name;
        EXPECT_EQ(run.attempts, c.attempts) << c.name;
        EXPECT_EQ(run.waits.size(), c.attempts - 1) << c.name;
    }
}

// The pauses grow and, all told, wait out a lock of about a second: one
// held for 0.7 s is outlasted with room to spare, and a file held for good
// is given up in little more than a second.
TEST(LockRetry, ThePausesSpanAboutASecond)
{
    const Attempts run = Play({});
    ASSERT_EQ(run.waits.size(), std::size(kLockRetryWaitsMs));
    const unsigned total = std::accumulate(run.waits.begin(), run.waits.end(), 0u);
    EXPECT_GE(total, 1000u);
    EXPECT_LE(total, 1200u);
    for (size_t i = 1; i < run.waits.size(); ++i)
        EXPECT_GE(run.waits[i], run.waits[i - 1]);
}

} // namespace
