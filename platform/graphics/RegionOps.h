#pragma once

#include "platform/graphics/Region.h"

// Short forms of the region combinations the window layer uses.
namespace platform {

inline void Unite(Region& region, const IntRect& rect)
{
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
