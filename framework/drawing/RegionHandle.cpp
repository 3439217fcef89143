#include "framework/drawing/RegionHandle.h"

namespace NSHarrowen {

platform::IntRect ToDeviceRect(const CRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

platform::Region CreateRectRegion(const CRect& rect)
{
    return platform::Region(ToDeviceRect(rect));
}

CRect CRegionHandle::GetBounds() const
{
    const platform::IntRect b = region_.Bounds();
    return CRect(b.left, b.top, b.right, b.bottom);
}

} // namespace NSHarrowen
