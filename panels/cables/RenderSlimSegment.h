#pragma once

#include "panels/cables/RenderSegmentABC.h"

// A thin piece: one pixel wide in the colour's pixel.
class CRenderSlimSegment final : public CRenderSegmentABC {
public:
    static constexpr float kWidth = 1.01F;

    CRenderSlimSegment(const CableKey& key, uint32_t colour);
    void SetHighlight(bool highlighted) override;
    void SetColour(uint32_t colour) override;

protected:
    uint32_t PixelAcross(float) const override { return pixel_; }

private:
    void SelectPixel();

    uint32_t pixel_ = 0;
};
