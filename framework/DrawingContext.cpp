#include "framework/DrawingContext.h"

#include "framework/ABCWindow.h"

#include <algorithm>

namespace NSHarrowen {

uint32_t PixelOf(const CColor& color)
{
    return (static_cast<uint32_t>(color.red >> 8) << 16) | (static_cast<uint32_t>(color.green >> 8) << 8)
           | static_cast<uint32_t>(color.blue >> 8);
}

CDrawingContext::CDrawingContext(CABCWindow* window, platform::PixelBuffer* pixels, CPoint clientOrigin,
                                 const CRect& bounds)
    : window_(window), pixels_(pixels), origin_(clientOrigin), bounds_(bounds)
{
}

CDrawingContext::~CDrawingContext() = default;

CDrawingScope::CDrawingScope(CABCWindow* window)
    : window_(window), context_(window ? window->AcquireCanvas() : nullptr)
{
}

CDrawingScope::~CDrawingScope()
{
    if (context_)
        window_->EndDrawing();
}

void CDrawingContext::SetClipRegion(const platform::Region* region)
{
    if (region)
        clip_ = *region;
    else
        clip_.reset();
}

void CDrawingContext::FillRect(const CRect& rect, const CColor& color)
{
    platform::Region area(platform::Rect {rect.left, rect.top, rect.right, rect.bottom});
    FillRegion(area, color);
}

void CDrawingContext::FillRegion(const platform::Region& region, const CColor& color)
{
    if (!pixels_)
        return;
    platform::Region area = region;
    area.Intersect(platform::Rect {bounds_.left, bounds_.top, bounds_.right, bounds_.bottom});
    if (clip_)
        area.Intersect(*clip_);
    if (paint_)
        area.Intersect(*paint_);
    const uint32_t value = PixelOf(color);
    const platform::Rect surface {0, 0, pixels_->Width(), pixels_->Height()};
    for (const platform::Rect& r : area.Rects()) {
        const platform::Rect target = r.Offset(origin_.x, origin_.y).Intersection(surface);
        for (int y = target.top; y < target.bottom; ++y) {
            uint32_t* row = pixels_->Row(y);
            std::fill(row + target.left, row + target.right, value);
        }
    }
}

} // namespace NSHarrowen
