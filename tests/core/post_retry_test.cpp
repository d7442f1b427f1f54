#include <gtest/gtest.h>

#include "setup/post_retry.h"

namespace {

TEST(PostUntilDelivered, RetriesAFullQueueAndGivesUpOnlyWhenTheWindowIsGone)
{
    struct Case {
        const char* name;
        int refusals;       // posts refused before one succeeds
        int windowLivesFor; // existence checks answered true
        bool delivered;
        int posts, waits;
    } cases[] = {
        {"posted at once", 0, 100, true, 1, 0},
        {"full queue, then room", 3, 100, true, 4, 3},
        {"a long wait for room", 5000, 100000, true, 5001, 5000},
        {"window gone while refused", 1000, 2, false, 3, 2},
        {"window already gone", 1000, 0, false, 1, 0},
    };
    for (const Case& c : cases) {
        int posts = 0, checks = 0, waits = 0;
        PostAttempts attempts;
        attempts.post = [&] { return ++posts > c.refusals; };
        attempts.targetExists = [&] { return ++checks <= c.windowLivesFor; };
        attempts.wait = [&] { ++waits; };
        EXPECT_EQ(PostUntilDelivered(attempts), c.delivered) << c.name;
        EXPECT_EQ(posts, c.posts) << c.name;
        EXPECT_EQ(waits, c.waits) << c.name;
    }
}

} // namespace
