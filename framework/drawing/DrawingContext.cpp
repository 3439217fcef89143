#include "framework/drawing/DrawingContext.h"

#include "framework/drawing/Canvas.h"
#include "framework/drawing/ABCCanvas.h"
#include "framework/drawing/RegionHandle.h"

namespace NSHarrowen {

CDrawingContext::CDrawingContext(platform::PixelBuffer& pixels, CPoint clientOrigin, const CRect& clientRect,
                                 const platform::Region* paint)
    : ownDC_(std::make_unique<platform::DeviceContext>(pixels))
{
    dc_ = ownDC_.get();
    // Client 0, 0 lands on the client origin of the surface.
    dc_->SetWindowOrigin({-clientOrigin.x, -clientOrigin.y});
    platform::Region system(ToDeviceRect(clientRect).Offset(clientOrigin.x, clientOrigin.y));
    if (paint) {
        platform::Region painted = *paint;
        painted.Offset(clientOrigin.x, clientOrigin.y);
        system.CombineWith(painted, platform::RegionOp::And);
    }
    dc_->SetSystemClip(system);
    ownState_ = std::make_unique<CGdiState>(dc_);
    state_ = ownState_.get();
}

CDrawingContext::CDrawingContext(CABCCanvas* offscreen) : offscreen_(offscreen)
{
    state_ = offscreen ? offscreen->GetGdiState() : nullptr;
    dc_ = state_ ? state_->GetDC() : nullptr;
}

CDrawingContext::~CDrawingContext()
{
    // The drawing state goes first: it gives the context's objects back.
    ownState_.reset();
    ownDC_.reset();
}

void CDrawingContext::SelectClip(const platform::Region* region)
{
    if (!dc_)
        return;
    if (!region) {
        dc_->SelectClip(nullptr);
        return;
    }
    platform::Region device = *region;
    const platform::IntPoint origin = dc_->WindowOrigin();
    device.Offset(-origin.x, -origin.y);
    dc_->SelectClip(&device);
}

} // namespace NSHarrowen
