#include "panels/cables/RenderSegmentLineABC.h"

#include "panels/cables/CableShades.h"
#include "framework/views/View.h"

#include <array>
#include <numbers>

using NSHarrowen::CRect;

namespace {

struct Bend {
    uint8_t previous;
    uint8_t next;
    PieKind pie;
};

constexpr std::array<Bend, 6> kBends = {{
    {1, 3, PieKind::Pie12},
    {1, 4, PieKind::Pie45},
    {2, 4, PieKind::Pie78},
    {3, 1, PieKind::Pie78},
    {3, 2, PieKind::Pie45},
    {4, 2, PieKind::Pie12},
}};

uint8_t CornerOf(uint8_t previous, uint8_t next)
{
    for (const Bend& bend : kBends) {
        if (bend.previous == previous && bend.next == next) {
            return static_cast<uint8_t>(bend.pie);
        }
    }
    return CablePiece::kNoCorner;
}

// The run across a 3D piece walks through half of the ramp; its start
// follows the slope so that the light seems to come from one side.
int16_t RampStep(const CSegmentRaster& raster)
{
    const float halfRun = raster.GetHalfRun();
    return halfRun > 0.0F ? static_cast<int16_t>(256.0F / (2.0F * halfRun)) : int16_t{0};
}

int16_t RampStart(const CSegmentRaster& raster)
{
    if (raster.GetHalfRun() <= 0.0F) {
        return 0;
    }
    const SegmentKind kind = raster.GetClass().kind;
    const float side = (kind == SegmentKind::Kind4And10 || kind == SegmentKind::Kind5And11) ? 120.0F : -120.0F;
    return static_cast<int16_t>(
        42 + static_cast<int32_t>(158.0F - side * raster.GetSlopeAngle() / std::numbers::pi_v<float>));
}

} // namespace

CSegmentRaster CRenderSegmentLineABC::GetRaster(const CablePiece& piece) const
{
    return CSegmentRaster(piece.x1, piece.y1, piece.x2, piece.y2, GetLineWidth());
}

std::optional<CRender3DPie> CRenderSegmentLineABC::GetCorner(const CablePiece& piece) const
{
    const std::optional<PieKind> kind = piece.GetCorner();
    if (!kind) {
        return std::nullopt;
    }
    std::optional<CRender3DPie> pie(std::in_place, *kind, piece.x1, piece.y1, GetColour());
    if (IsHighlighted()) {
        pie->SetHighlight(true);
    }
    return pie;
}

uint8_t CRenderSegmentLineABC::AddPiece(const CableKey& piece, uint8_t previousDirection)
{
    if (piece.IsPoint()) {
        return previousDirection;
    }
    CablePiece added{piece.x1, piece.y1, piece.x2, piece.y2};
    const CSegmentRaster raster = GetRaster(added);
    const uint8_t direction = raster.GetClass().direction;
    if (threeD_) {
        added.rampStart = RampStart(raster);
        added.corner = CornerOf(previousDirection, direction);
    }
    pieces_.push_back(added);
    return direction;
}

void CRenderSegmentLineABC::UniteRects()
{
    CRect united;
    const auto unite = [&united](const CRect& rect) {
        if (rect.IsEmpty()) {
            return;
        }
        if (united.IsEmpty()) {
            united = rect;
        } else {
            united.Union(rect);
        }
    };
    for (const CablePiece& piece : pieces_) {
        if (const std::optional<CRender3DPie> corner = GetCorner(piece)) {
            unite(corner->GetRect());
        }
        unite(GetRaster(piece).GetRect());
    }
    SetRect(united);
}

void CRenderSegmentLineABC::Draw(const CRect& update, CPixelTarget& target)
{
    if (!GetRect().Intersects(update)) {
        return;
    }
    const uint32_t thinPixel = cableshades::ThinPixel(GetColour(), IsHighlighted());
    const uint32_t* ramp = cableshades::Ramp(GetColour(), IsHighlighted());
    for (const CablePiece& piece : pieces_) {
        if (std::optional<CRender3DPie> corner = GetCorner(piece)) {
            corner->Draw(update, target);
        }
        const CSegmentRaster raster = GetRaster(piece);
        const CSegmentRaster::Shading shading = threeD_
            ? CSegmentRaster::Shading{ramp, piece.rampStart, RampStep(raster)}
            : CSegmentRaster::Shading{&thinPixel, 0, 0};
        raster.Draw(update, target, shading);
    }
}

void CRenderSegmentLineABC::Move(int32_t dx, int32_t dy)
{
    for (CablePiece& piece : pieces_) {
        piece.Move(dx, dy);
    }
    CRenderLineABC::Move(dx, dy);
}

void CRenderSegmentLineABC::Invalidate(NSHarrowen::CView& view) const
{
    for (const CablePiece& piece : pieces_) {
        if (const std::optional<CRender3DPie> corner = GetCorner(piece)) {
            corner->Invalidate(view);
        }
        const CRect rect = GetRaster(piece).GetRect();
        if (!rect.IsEmpty()) {
            view.InvalidateRect(rect, false);
        }
    }
}
