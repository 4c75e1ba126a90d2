#include "xbase/LockWait.h"

#include <algorithm>
#include <thread>

namespace xbase {

Status LockWait::take(File& file, uint64_t offset, uint64_t length, bool exclusive,
                      std::chrono::microseconds budget)
{
    using Clock = std::chrono::steady_clock;
    Status s = file.tryLock(offset, length, exclusive);
    if (!s.isLocked() || budget.count() == 0)
        return s;
    const Clock::time_point start = Clock::now();
    std::chrono::microseconds pause {4};
    for (int tries = 1;; ++tries) {
        const auto waited = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
        if (budget.count() > 0 && waited >= budget)
            return s;
        // The first few tries only yield the processor: a holder on another
        // core is likely through within them.
        if (tries <= 3) {
            std::this_thread::yield();
        } else {
            auto next = waited >= kPatience ? kLongPause : std::min(pause, kShortPause);
            if (budget.count() > 0)
                next = std::min(next, budget - waited);
            std::this_thread::sleep_for(next);
            pause *= 2;
        }
        s = file.tryLock(offset, length, exclusive);
        if (!s.isLocked())
            return s;
    }
}

} // namespace xbase
