#pragma once

#include <algorithm>
#include <cstdint>

namespace platform {

// A point of the window layer, in 32-bit coordinates.
struct Point {
    int x = 0;
    int y = 0;
    constexpr bool operator==(const Point&) const = default;
};

// A rectangle whose right and bottom edges lie outside it.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect FromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr bool Contains(Point p) const { return Contains(p.x, p.y); }
    constexpr bool Intersects(const Rect& o) const
    {
        return !IsEmpty() && !o.IsEmpty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    constexpr Rect Intersection(const Rect& o) const
    {
        Rect r {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.IsEmpty() ? Rect {} : r;
    }
    constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr bool operator==(const Rect&) const = default;
};

} // namespace platform
