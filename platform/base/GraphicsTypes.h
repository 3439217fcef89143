#pragma once

#include <cstdint>

namespace platform {

// Device rectangles in plain ints; right and bottom lie outside.
struct IntRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr IntRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr IntRect Intersection(const IntRect& o) const
    {
        IntRect r{left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
                  bottom < o.bottom ? bottom : o.bottom};
        return r.IsEmpty() ? IntRect{} : r;
    }
    constexpr bool operator==(const IntRect&) const = default;
};

struct IntPoint {
    int x = 0;
    int y = 0;
    constexpr bool operator==(const IntPoint&) const = default;
};

// Colours inside this layer are 0x00RRGGBB, the pixel layout of PixelBuffer.
using Rgb = uint32_t;

constexpr Rgb MakeRgb(uint8_t r, uint8_t g, uint8_t b)
{
    return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}
constexpr uint8_t RedOf(Rgb c)
{
    return static_cast<uint8_t>(c >> 16);
}
constexpr uint8_t GreenOf(Rgb c)
{
    return static_cast<uint8_t>(c >> 8);
}
constexpr uint8_t BlueOf(Rgb c)
{
    return static_cast<uint8_t>(c);
}

} // namespace platform
