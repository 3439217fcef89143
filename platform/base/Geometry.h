#pragma once

#include "platform/base/GraphicsTypes.h"

#include <algorithm>

namespace platform {

using Point = IntPoint;

// The window layer's rectangle: a device rectangle with the few operations
// window placement needs.
struct Rect : IntRect {
    constexpr Rect() = default;
    constexpr Rect(int l, int t, int r, int b) : IntRect{l, t, r, b} { }
    constexpr Rect(const IntRect& r) : IntRect(r) { }

    static constexpr Rect FromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
    constexpr bool Contains(int x, int y) const { return IntRect::Contains(x, y); }
    constexpr bool Contains(Point p) const { return IntRect::Contains(p.x, p.y); }
    constexpr bool Intersects(const IntRect& o) const
    {
        return !IsEmpty() && !o.IsEmpty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    constexpr Rect Intersection(const IntRect& o) const { return IntRect::Intersection(o); }
    constexpr Rect Offset(int dx, int dy) const { return IntRect::Offset(dx, dy); }
    constexpr Rect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr bool operator==(const Rect& o) const = default;
};

} // namespace platform
