#include "framework/drawing/Canvas.h"
#include "framework/drawing/ABCCanvas.h"

#include "framework/images/Bitmap.h"
#include "framework/images/ImageCache.h"
#include "framework/drawing/RegionHandle.h"
#include "platform/host/SystemMetrics.h"

#include <array>
#include <cstring>
#include <utility>

namespace NSHarrowen {

CCanvas::CCanvas(CDrawingPort* port) : port_(port)
{
    state_ = port_->AcquireCanvas();
}

CCanvas::~CCanvas()
{
    CCanvas::Release();
}

void CCanvas::Release()
{
    if (state_ == nullptr)
        return;
    state_ = nullptr;
    port_->EndDrawing();
}

CABCCanvas* CCanvas::GetOffscreenCanvas()
{
    return port_->GetOffscreenCanvas();
}

int CCanvas::GetDepth() const
{
    return GetScreenColorDepth();
}

CPoint CCanvas::ClientToScreen(CPoint point) const
{
    return port_->ClientToScreen(point);
}

CRect CCanvas::MapRectToScreen(const CRect& rect) const
{
    const CPoint topLeft = ClientToScreen(CPoint(rect.left, rect.top));
    CRect mapped = rect;
    mapped.MoveTo(topLeft);
    return mapped;
}

CRect GetScreenRect()
{
    const platform::Rect desktop = platform::GetDesktopRect();
    return CRect(0, 0, desktop.right, desktop.bottom);
}

int GetScreenColorDepth()
{
    return platform::GetScreenColorDepth();
}

} // namespace NSHarrowen
