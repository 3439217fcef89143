#pragma once

#include <cstdint>

namespace NSHarrowen {

// Ticks are sixtieths of a second. GetTicks counts from the clock's start and
// wraps around after about two years; take differences of two readings
// with TicksBetween (or unsigned subtraction), which stays right across the wrap.
uint32_t GetTicks();
constexpr uint32_t TicksBetween(uint32_t earlier, uint32_t later)
{
    return later - earlier;
}

constexpr uint32_t MillisecondsToTicks(uint32_t ms)
{
    return static_cast<uint32_t>(static_cast<uint64_t>(ms) * 6 / 100);
}
// Saturates at the largest 32-bit value rather than wrapping.
constexpr uint32_t TicksToMilliseconds(uint32_t ticks)
{
    const uint64_t ms = static_cast<uint64_t>(ticks) * 100 / 6;
    return ms > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(ms);
}

// Sleeps n ticks.
void WaitTicks(uint32_t n);

} // namespace NSHarrowen
