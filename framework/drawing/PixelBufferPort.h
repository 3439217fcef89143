#pragma once

#include "framework/drawing/DrawingPort.h"
#include "framework/drawing/GdiState.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/PixelBuffer.h"

namespace NSHarrowen {

// A drawing port straight over a pixel buffer, placed at a point of the
// screen: for surfaces without a window of their own (the headless screen,
// tests, benchmarks). Its device context and drawing state live as long as the
// port, so colours and fonts stay selected from one canvas to the next.
class CPixelBufferPort : public CDrawingPort {
public:
    explicit CPixelBufferPort(platform::PixelBuffer& buffer, CPoint screenPosition = CPoint())
        : dc_(buffer), state_(&dc_), screenPosition_(screenPosition)
    { }

    CGdiState* AcquireCanvas() override
    {
        ++useCount_;
        return &state_;
    }
    void EndDrawing() override
    {
        if (useCount_ > 0)
            --useCount_;
    }
    CPoint ClientToScreen(CPoint client) const override
    {
        return CPoint(client.x + screenPosition_.x, client.y + screenPosition_.y);
    }

    platform::DeviceContext& GetDC() { return dc_; }
    int GetUseCount() const { return useCount_; }

private:
    platform::DeviceContext dc_;
    CGdiState state_;
    CPoint screenPosition_;
    int useCount_ = 0;
};

} // namespace NSHarrowen
