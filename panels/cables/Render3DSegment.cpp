#include "panels/cables/Render3DSegment.h"

#include "panels/cables/CableShades.h"

#include <algorithm>
#include <numbers>

CRender3DSegment::CRender3DSegment(const CableKey& key, uint32_t colour, std::optional<PieKind> corner)
    : CRenderSegmentABC(key, colour, kWidth), corner_(corner)
{
    const float halfRun = GetHalfRun(kWidth);
    if (halfRun > 0.0F) {
        // The run across walks through half of the ramp; its start follows
        // the slope so that the light seems to come from one side.
        const SegmentKind kind = GetClass().kind;
        const float side = (kind == SegmentKind::Kind4And10 || kind == SegmentKind::Kind5And11) ? 120.0F : -120.0F;
        rampStep_ = static_cast<int16_t>(256.0F / (2.0F * halfRun));
        rampStart_ = static_cast<int16_t>(
            42 + static_cast<int32_t>(158.0F - side * GetSlopeAngle() / std::numbers::pi_v<float>));
    }
}

std::optional<CRender3DPie> CRender3DSegment::GetCorner() const
{
    if (!corner_) {
        return std::nullopt;
    }
    std::optional<CRender3DPie> pie(std::in_place, *corner_, GetKey().x1, GetKey().y1, GetColour());
    if (IsHighlighted()) {
        pie->SetHighlight(true);
    }
    return pie;
}

void CRender3DSegment::Draw(const NSHarrowen::CRect& update, CPixelTarget& target)
{
    if (std::optional<CRender3DPie> corner = GetCorner()) {
        corner->Draw(update, target);
    }
    CRenderSegmentABC::Draw(update, target);
}

void CRender3DSegment::Invalidate(NSHarrowen::CView& view) const
{
    if (const std::optional<CRender3DPie> corner = GetCorner()) {
        corner->Invalidate(view);
    }
    CRenderSegmentABC::Invalidate(view);
}

uint32_t CRender3DSegment::PixelAcross(float offset) const
{
    const int32_t index = rampStart_ + static_cast<int32_t>(offset * static_cast<float>(rampStep_));
    return cableshades::Ramp(GetColour(), IsHighlighted())[std::clamp(index, 0, cableshades::kRampLength - 1)];
}
