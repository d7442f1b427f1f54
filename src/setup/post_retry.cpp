#include "setup/post_retry.h"

bool PostUntilDelivered(const PostAttempts& attempts)
{
    for (;;) {
        if (attempts.post())
            return true;
        if (!attempts.targetExists())
            return false;
        attempts.wait();
    }
}
