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

// A clock that stands still until it is advanced; a sleep advances it at once.
// Safe to read from several threads.
class CVirtualClock : public IClock {
public:
    explicit CVirtualClock(uint64_t start = 0) : now_(start) {}
    uint64_t Now() override;
    void Sleep(uint32_t ms) override { Advance(ms); }
    void Advance(uint64_t ms);

private:
    std::atomic<uint64_t> now_;
};

// Installs a clock for the life of the object and restores the previous one.
class CScopedClock {
public:
    explicit CScopedClock(IClock& clock) : previous_(InstallClock(&clock)) {}
    ~CScopedClock() { InstallClock(previous_); }
    CScopedClock(const CScopedClock&) = delete;
    CScopedClock& operator=(const CScopedClock&) = delete;

private:
    IClock* previous_;
};

} // namespace platform
