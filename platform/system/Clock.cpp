#include "platform/system/Clock.h"

#include <atomic>
#include <cerrno>
#include <ctime>

namespace platform {

namespace {

class CSystemClock : public IClock {
public:
    uint64_t Now() override
    {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<uint64_t>(ts.tv_sec) * 1000 + static_cast<uint64_t>(ts.tv_nsec) / 1000000;
    }

    void Sleep(uint32_t ms) override
    {
        timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
        while (nanosleep(&left, &left) != 0 && errno == EINTR) { }
    }
};

CSystemClock systemClock;
std::atomic<IClock*> current{&systemClock};

} // namespace

uint64_t NowMilliseconds()
{
    return current.load(std::memory_order_acquire)->Now();
}

void SleepMilliseconds(uint32_t ms)
{
    current.load(std::memory_order_acquire)->Sleep(ms);
}

IClock* InstallClock(IClock* clock)
{
    IClock* previous = current.exchange(clock ? clock : &systemClock, std::memory_order_acq_rel);
    return previous == &systemClock ? nullptr : previous;
}

} // namespace platform
