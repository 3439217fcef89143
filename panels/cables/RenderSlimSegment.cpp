#include "panels/cables/RenderSlimSegment.h"

#include "panels/cables/CableShades.h"

CRenderSlimSegment::CRenderSlimSegment(const CableKey& key, uint32_t colour)
    : CRenderSegmentABC(key, colour, kWidth) { }

uint32_t CRenderSlimSegment::PixelAcross(float) const
{
    return cableshades::ThinPixel(GetColour(), IsHighlighted());
}
