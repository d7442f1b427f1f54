// Delivery of the reader thread's posts. A posted message can be refused
// while the receiving thread's queue is full (Windows allows 10,000); output
// must not be lost then, so the post is tried again after a short wait for
// as long as the receiving window exists.
#pragma once

#include <functional>

struct PostAttempts {
    std::function<bool()> post;         // one attempt; true when posted
    std::function<bool()> targetExists; // whether the receiving window still exists
    std::function<void()> wait;         // a short pause before the next attempt
};

// True once a post succeeded; false when the window is gone, and the caller
// then still owns whatever the message carried.
bool PostUntilDelivered(const PostAttempts& attempts);
