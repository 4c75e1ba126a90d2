#pragma once

#include "xbase/Env.h"
#include "xbase/Status.h"

#include <chrono>
#include <cstdint>

namespace xbase {

// Waits for a byte-range lock of `file` until it is free or `budget` has
// passed (a negative budget waits without end). Writers hold their locks for
// microseconds, so the pauses between tries start at a few microseconds and
// grow to kShortPause; a wait that has already lasted kPatience (a user
// holding a record) pauses kLongPause between tries. The lock is thus taken
// within about kShortPause of its release in the waits that matter for
// throughput. Gives the last try's status: Locked when the holder kept it
// throughout.
class LockWait {
public:
    static constexpr std::chrono::microseconds kShortPause {100};
    static constexpr std::chrono::microseconds kLongPause {1000};
    static constexpr std::chrono::milliseconds kPatience {200};

    static Status take(File& file, uint64_t offset, uint64_t length, bool exclusive,
                       std::chrono::microseconds budget);
};

} // namespace xbase
