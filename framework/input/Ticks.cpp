#include "framework/input/Ticks.h"

#include "platform/system/Clock.h"

namespace NSHarrowen {

uint32_t GetTicks()
{
    // In 64 bits: the milliseconds times 6 would overflow 32 bits after 8.3 days.
    return static_cast<uint32_t>(platform::NowMilliseconds() * 6 / 100);
}

void WaitTicks(uint32_t n)
{
    platform::SleepMilliseconds(TicksToMilliseconds(n));
}

} // namespace NSHarrowen
