#pragma once

#include <cstdint>

// Small integer, word and byte functions used throughout.
namespace NSHarrowen {

constexpr int32_t MinInt(int32_t a, int32_t b)
{
    return a < b ? a : b;
}
constexpr int32_t MaxInt(int32_t a, int32_t b)
{
    return a > b ? a : b;
}
constexpr int32_t AbsInt(int32_t a)
{
    return a < 0 ? -a : a;
}

// The low bound is tested first, so reversed bounds give the low one.
constexpr int32_t PinInt(int32_t value, int32_t low, int32_t high)
{
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

constexpr int32_t RoundUpToMultiple(int32_t value, int32_t step)
{
    const int32_t r = value % step;
    return r > 0 ? value - r + step : value;
}

constexpr int32_t DivRoundUp(int32_t value, int32_t divisor)
{
    if (divisor == 0)
        divisor = 1;
    const int32_t q = value / divisor;
    return q * divisor < value ? q + 1 : q;
}

constexpr int16_t LowWord(uint32_t w)
{
    return static_cast<int16_t>(w & 0xFFFF);
}
constexpr uint16_t HighWord(uint32_t w)
{
    return static_cast<uint16_t>(w >> 16);
}
constexpr uint8_t LowByte(uint32_t w)
{
    return static_cast<uint8_t>(w);
}
constexpr uint8_t SecondByte(uint32_t w)
{
    return static_cast<uint8_t>(w >> 8);
}
constexpr uint8_t ThirdByte(uint32_t w)
{
    return static_cast<uint8_t>(w >> 16);
}
constexpr uint32_t PackBytes(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    return ((a & 0xFF) << 24) | ((b & 0xFF) << 16) | ((c & 0xFF) << 8) | (d & 0xFF);
}

} // namespace NSHarrowen
