#pragma once

#include "framework/Color.h"
#include "framework/Point.h"
#include "framework/Rect.h"
#include "platform/PixelBuffer.h"
#include "platform/Region.h"

#include <cstdint>
#include <optional>

namespace NSHarrowen {

class CABCWindow;

// Where drawing on a window goes: the window's own surface, the surface of a
// paint in progress, or an off-screen bitmap. Contexts stack per window: a
// new one remembers the window's current one and puts it back when its use
// count falls to 0. Coordinates are the window's client coordinates.
class CDrawingContext {
public:
    CDrawingContext(CABCWindow* window, platform::PixelBuffer* pixels, CPoint clientOrigin, const CRect& bounds);
    ~CDrawingContext();
    CDrawingContext(const CDrawingContext&) = delete;
    CDrawingContext& operator=(const CDrawingContext&) = delete;

    platform::PixelBuffer* Pixels() const { return pixels_; }
    // Where the client area's 0, 0 lies in Pixels().
    CPoint ClientOrigin() const { return origin_; }
    // What may be drawn: the bounds, narrowed by the clip region when set.
    const CRect& Bounds() const { return bounds_; }
    const platform::Region* ClipRegion() const { return clip_ ? &*clip_ : nullptr; }
    void SetClipRegion(const platform::Region* region);
    // The area a paint may touch (its update region); drawing stays inside
    // it whatever clip region is set.
    void SetPaintRegion(const platform::Region& region) { paint_ = region; }

    uint32_t BackgroundColor() const { return background_; }
    uint32_t TextColor() const { return text_; }
    bool IsTransparent() const { return true; }

    void Retain() { ++uses_; }
    // Lowers the use count; true when it reached 0.
    bool Release() { return --uses_ <= 0; }
    CDrawingContext* Previous() const { return previous_; }
    void SetPrevious(CDrawingContext* previous) { previous_ = previous; }

    // Fills within the bounds and the clip region.
    void FillRect(const CRect& rect, const CColor& color);
    void FillRegion(const platform::Region& region, const CColor& color);

private:
    CABCWindow* window_;
    platform::PixelBuffer* pixels_;
    CPoint origin_;
    CRect bounds_;
    std::optional<platform::Region> clip_;
    std::optional<platform::Region> paint_;
    uint32_t background_ = 0x02FFFFFF;
    uint32_t text_ = 0x02000000;
    int uses_ = 1;
    CDrawingContext* previous_ = nullptr;
};

// Draws on a window for the life of the object.
class CDrawingScope {
public:
    explicit CDrawingScope(CABCWindow* window);
    ~CDrawingScope();
    CDrawingScope(const CDrawingScope&) = delete;
    CDrawingScope& operator=(const CDrawingScope&) = delete;
    CDrawingContext* operator->() const { return context_; }
    explicit operator bool() const { return context_ != nullptr; }

private:
    CABCWindow* window_;
    CDrawingContext* context_;
};

// One pixel value of the surfaces from a colour.
uint32_t PixelOf(const CColor& color);

} // namespace NSHarrowen
