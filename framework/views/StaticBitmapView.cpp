#include "framework/views/StaticBitmapView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/controls/ControlLogic.h"
#include "framework/drawing/EdgeDrawing.h"

namespace NSHarrowen {

CStaticBitmapView::CStaticBitmapView(CGroupView* parent, uint32_t resource, uint32_t second, uint32_t third)
    : CView(parent), image_(resource, second, third)
{
    SetOpaqueMode(kOpaqueNothing);
}

void CStaticBitmapView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    canvas.DrawImage(GetFrame().left, GetFrame().top, image_);
}

void CStaticBitmapView::UpdateDisplay()
{
    const bool enabled = IsEnabledInHierarchy();
    if (enabled != shownEnabled_) {
        shownEnabled_ = enabled;
        InvalidateFrame();
    }
}

} // namespace NSHarrowen
