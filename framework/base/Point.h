#pragma once

#include <cstdint>

namespace NSHarrowen {

// A point in signed 16-bit coordinates; wider values keep their low 16 bits.
struct CPoint {
    int16_t x = 0;
    int16_t y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int32_t px, int32_t py) : x(static_cast<int16_t>(px)), y(static_cast<int16_t>(py)) { }

    constexpr void Set(int32_t px, int32_t py)
    {
        x = static_cast<int16_t>(px);
        y = static_cast<int16_t>(py);
    }
    constexpr int16_t Y() const { return y; }
    constexpr bool operator==(const CPoint&) const = default;
};

} // namespace NSHarrowen
