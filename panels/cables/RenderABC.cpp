#include "panels/cables/RenderABC.h"

#include "framework/views/View.h"

void CRenderABC::Move(int32_t dx, int32_t dy)
{
    rect_.Offset(dx, dy);
}

void CRenderABC::Invalidate(NSHarrowen::CView& view) const
{
    if (!rect_.IsEmpty()) {
        view.InvalidateRect(rect_, false);
    }
}

void CRenderABC::SetHighlight(bool highlighted)
{
    highlighted_ = highlighted;
}

void CRenderABC::SetColour(uint32_t colour)
{
    colour_ = colour;
}
