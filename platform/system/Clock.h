#pragma once

#include <atomic>
#include <cstdint>

namespace platform {

// Milliseconds of a monotonic clock (an arbitrary start, never goes back).
uint64_t NowMilliseconds();
// Blocks the calling thread for at least ms milliseconds.
void SleepMilliseconds(uint32_t ms);

// Where NowMilliseconds and SleepMilliseconds go. A headless run or a test
// installs its own clock, for instance one whose sleeps advance it.
class IClock {
public:
    virtual ~IClock() = default;
    virtual uint64_t Now() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// Installs a clock (not owned; it must outlive its use) and returns the one it
// replaces. nullptr puts the system clock back.
IClock* InstallClock(IClock* clock);

} // namespace platform
