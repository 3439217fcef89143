#pragma once

#include "platform/graphics/Region.h"

// Short forms of the region combinations the window layer uses.
namespace platform {

// Invalidations mostly add what is already there (a window's items within
// its dirty frame): that costs a scan, not a rebuild.
inline void Unite(Region& region, const IntRect& rect)
{
    if (!region.ContainsRect(rect))
        region.CombineWith(Region(rect), RegionOp::Or);
}
inline void Unite(Region& region, const Region& other)
{
    region.CombineWith(other, RegionOp::Or);
}
inline void Subtract(Region& region, const IntRect& rect)
{
    region.CombineWith(Region(rect), RegionOp::Diff);
}
inline void Subtract(Region& region, const Region& other)
{
    region.CombineWith(other, RegionOp::Diff);
}
inline void Intersect(Region& region, const IntRect& rect)
{
    region.CombineWith(Region(rect), RegionOp::And);
}
inline void Intersect(Region& region, const Region& other)
{
    region.CombineWith(other, RegionOp::And);
}

} // namespace platform
