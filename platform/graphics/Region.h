#pragma once

#include "platform/base/GraphicsTypes.h"

#include <vector>

namespace platform {

enum class RegionOp { Copy, Or, And, Xor, Diff };

// A set of pixels kept as disjoint rectangles in bands: the rectangles are
// sorted by top, then left; rectangles of one band share top and bottom, do not
// touch, and vertically adjacent bands with the same spans are merged. Equal
// pixel sets therefore have equal rectangle lists.
class Region {
public:
    Region() = default;
    explicit Region(const IntRect& rect);

    static Region Combine(const Region& a, const Region& b, RegionOp op);
    void CombineWith(const Region& other, RegionOp op) { *this = Combine(*this, other, op); }

    void SetRect(const IntRect& rect) { *this = Region(rect); }
    void SetEmpty() { rects_.clear(); }
    void Offset(int dx, int dy);

    bool IsEmpty() const { return rects_.empty(); }
    bool Contains(int x, int y) const;
    bool IntersectsRect(const IntRect& rect) const;
    // Whether every pixel of the rectangle is in the region (an empty one is).
    bool ContainsRect(const IntRect& rect) const;
    IntRect Bounds() const;
    const std::vector<IntRect>& Rects() const { return rects_; }

    bool operator==(const Region&) const = default;

private:
    std::vector<IntRect> rects_;
};

} // namespace platform
