#pragma once

#include <cstdint>
#include <ctime>

namespace xbase {

// Milliseconds of the coarse monotonic clock: a few nanoseconds to read, a
// few milliseconds of resolution. For bounding how long a walk may trust
// what it read ahead, never for timing work.
inline int64_t coarseMillis()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

} // namespace xbase
