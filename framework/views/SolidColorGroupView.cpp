#include "framework/views/SolidColorGroupView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"

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
    if (CABCWindow* window = GetWindow())
        CCanvas(window).FillRect(GetFrame(), color_);
}

} // namespace NSHarrowen
