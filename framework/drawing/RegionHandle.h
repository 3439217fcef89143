#pragma once

#include "framework/base/Rect.h"
#include "platform/graphics/Region.h"

#include <utility>

namespace NSHarrowen {

platform::IntRect ToDeviceRect(const CRect& rect);

// A region made from a rectangle.
platform::Region CreateRectRegion(const CRect& rect);

// One owned region: clipping and invalidation of the view tree.
class CRegionHandle {
public:
    CRegionHandle() = default;
    explicit CRegionHandle(const CRect& rect) : region_(ToDeviceRect(rect)) { }
    CRegionHandle(const CRegionHandle& other) = default;
    CRegionHandle& operator=(const CRegionHandle& other) = default;
    explicit CRegionHandle(platform::Region region) : region_(std::move(region)) { }

    void SetRect(const CRect& rect) { region_.SetRect(ToDeviceRect(rect)); }
    void SetEmpty() { region_.SetEmpty(); }
    void Union(const CRegionHandle& other) { region_.CombineWith(other.region_, platform::RegionOp::Or); }
    void Intersect(const CRegionHandle& other) { region_.CombineWith(other.region_, platform::RegionOp::And); }
    void Xor(const CRegionHandle& other) { region_.CombineWith(other.region_, platform::RegionOp::Xor); }
    void Subtract(const CRegionHandle& other) { region_.CombineWith(other.region_, platform::RegionOp::Diff); }
    void UnionRect(const CRect& rect) { Union(CRegionHandle(rect)); }
    void IntersectRect(const CRect& rect) { Intersect(CRegionHandle(rect)); }
    void XorRect(const CRect& rect) { Xor(CRegionHandle(rect)); }
    void SubtractRect(const CRect& rect) { Subtract(CRegionHandle(rect)); }
    void Offset(int32_t dx, int32_t dy) { region_.Offset(dx, dy); }
    bool IntersectsRect(const CRect& rect) const { return region_.IntersectsRect(ToDeviceRect(rect)); }
    bool IsEmpty() const { return region_.IsEmpty(); }
    CRect GetBounds() const;

    const platform::Region& GetRegion() const { return region_; }

private:
    platform::Region region_;
};

} // namespace NSHarrowen
