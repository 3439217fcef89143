#include "panels/cables/RenderSlimSegment.h"

#include "panels/cables/CableShades.h"

CRenderSlimSegment::CRenderSlimSegment(const CableKey& key, uint32_t colour) : CRenderSegmentABC(key, colour, kWidth)
{
    SelectPixel();
}

void CRenderSlimSegment::SelectPixel()
{
    pixel_ = cableshades::ThinPixel(GetColour(), IsHighlighted());
}

void CRenderSlimSegment::SetHighlight(bool highlighted)
{
    CRenderSegmentABC::SetHighlight(highlighted);
    SelectPixel();
}

void CRenderSlimSegment::SetColour(uint32_t colour)
{
    CRenderSegmentABC::SetColour(colour);
    SelectPixel();
}
