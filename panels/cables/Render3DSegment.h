#pragma once

#include "panels/cables/RenderSegmentABC.h"

// A 3D piece: three pixels wide, shaded across from the colour's ramp with
// its bright line off the centre by the piece's slope.
class CRender3DSegment final : public CRenderSegmentABC {
public:
    static constexpr float kWidth = 3.0F;

    CRender3DSegment(const CableKey& key, uint32_t colour);
    void SetHighlight(bool highlighted) override;
    void SetColour(uint32_t colour) override;

protected:
    uint32_t PixelAcross(float offset) const override;

private:
    void SelectRamp();

    const uint32_t* ramp_ = nullptr;
    int32_t rampStart_ = 0;
    int32_t rampStep_ = 0;
};
