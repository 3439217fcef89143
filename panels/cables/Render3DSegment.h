#pragma once

#include "panels/cables/Render3DPie.h"
#include "panels/cables/RenderSegmentABC.h"

#include <optional>

// A 3D piece: three pixels wide, shaded across from the colour's ramp with
// its bright line off the centre by the piece's slope. A piece that bends
// away from the one before it starts with the corner that fills the joint,
// drawn just before the piece.
class CRender3DSegment final : public CRenderSegmentABC {
public:
    static constexpr float kWidth = 3.0F;

    CRender3DSegment(const CableKey& key, uint32_t colour, std::optional<PieKind> corner = std::nullopt);
    void Draw(const NSHarrowen::CRect& update, CPixelTarget& target) override;
    void Invalidate(NSHarrowen::CView& view) const override;

    // The corner at the piece's first end, if it has one.
    std::optional<CRender3DPie> GetCorner() const;

protected:
    float GetWidth() const override { return kWidth; }
    // From the ramp of the colour as it is now, normal or highlighted.
    uint32_t PixelAcross(float offset) const override;

private:
    // The ramp's index at the run's upper edge and its step per pixel
    // across: both under 512.
    int16_t rampStart_ = 0;
    int16_t rampStep_ = 0;
    std::optional<PieKind> corner_;
};
