#include "framework/SolidColorGroupView.h"

#include "framework/DrawingContext.h"

namespace NSHarrowen {

CSolidColorGroupView::CSolidColorGroupView(CGroupView* parent) : CGroupView(parent), color_(CColor::FromButtonFace())
{
    SetOpaqueMode(kOpaqueFrame);
    SetFrameChangeRedraw(kRedrawDifference);
}

CSolidColorGroupView::CSolidColorGroupView(CGroupView* parent, const CRect& frame)
    : CGroupView(parent, frame), color_(CColor::FromButtonFace())
{
    SetOpaqueMode(kOpaqueFrame);
    SetFrameChangeRedraw(kRedrawDifference);
}

void CSolidColorGroupView::DrawBackground()
{
    CDrawingScope scope(GetWindow());
    if (scope)
        scope->FillRect(GetFrame(), color_);
}

} // namespace NSHarrowen
