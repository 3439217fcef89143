#include "platform/system/VirtualClock.h"

#include <atomic>
#include <cerrno>
#include <ctime>

namespace platform {

uint64_t CVirtualClock::Now()
{
    return now_.load(std::memory_order_acquire);
}

void CVirtualClock::Advance(uint64_t ms)
{
    now_.fetch_add(ms, std::memory_order_acq_rel);
}

} // namespace platform
