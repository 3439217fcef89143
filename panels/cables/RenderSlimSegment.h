#pragma once

#include "panels/cables/RenderSegmentABC.h"

// A thin piece: one pixel wide in the colour's pixel.
class CRenderSlimSegment final : public CRenderSegmentABC {
public:
    static constexpr float kWidth = 1.01F;

    CRenderSlimSegment(const CableKey& key, uint32_t colour);

protected:
    float GetWidth() const override { return kWidth; }
    // The colour's pixel as it is now, normal or highlighted.
    uint32_t PixelAcross(float) const override;
};
