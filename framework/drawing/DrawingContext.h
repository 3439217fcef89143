#pragma once

#include "framework/drawing/GdiState.h"
#include "framework/base/Point.h"
#include "framework/base/Rect.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/graphics/Region.h"

#include <memory>

namespace NSHarrowen {

class CABCCanvas;

// Where drawing on a window goes: the window's own surface, the surface of a
// paint in progress (clipped to what is being painted), or an off-screen
// canvas. Contexts stack per window: a new one remembers the window's current
// one and puts it back when its use count falls to 0. Drawing takes the
// window's client coordinates.
class CDrawingContext {
public:
    // On a window's surface, whose client area starts at `clientOrigin`;
    // with `paint`, drawing stays inside that part of the client area.
    CDrawingContext(platform::PixelBuffer& pixels, CPoint clientOrigin, const CRect& clientRect,
                    const platform::Region* paint);
    // On an off-screen canvas, whose device context and state it borrows.
    explicit CDrawingContext(CABCCanvas* offscreen);
    ~CDrawingContext();
    CDrawingContext(const CDrawingContext&) = delete;
    CDrawingContext& operator=(const CDrawingContext&) = delete;

    CGdiState* GetState() const { return state_; }
    platform::DeviceContext* GetDC() const { return dc_; }
    CABCCanvas* GetOffscreenCanvas() const { return offscreen_; }
    // Selects the region (client coordinates) as the clip; none removes it.
    void SelectClip(const platform::Region* region);

    void Retain() { ++uses_; }
    // Lowers the use count; true when it reached 0.
    bool Release() { return --uses_ <= 0; }

private:
    std::unique_ptr<platform::DeviceContext> ownDC_;
    std::unique_ptr<CGdiState> ownState_;
    platform::DeviceContext* dc_ = nullptr;
    CGdiState* state_ = nullptr;
    CABCCanvas* offscreen_ = nullptr;
    int uses_ = 1;
};

} // namespace NSHarrowen
