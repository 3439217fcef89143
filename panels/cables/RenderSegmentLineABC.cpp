#include "panels/cables/RenderSegmentLineABC.h"

#include <array>
#include <optional>

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

std::optional<PieKind> CornerOf(uint8_t previous, uint8_t next)
{
    for (const Bend& bend : kBends) {
        if (bend.previous == previous && bend.next == next) {
            return bend.pie;
        }
    }
    return std::nullopt;
}

} // namespace

template <typename Action> void CRenderSegmentLineABC::ForEachPiece(Action action)
{
    for (CRender3DSegment& piece : threeD_) {
        action(piece);
    }
    for (CRenderSlimSegment& piece : thin_) {
        action(piece);
    }
}

void CRenderSegmentLineABC::ReservePieces(size_t count, bool threeD)
{
    if (threeD) {
        threeD_.reserve(count);
    } else {
        thin_.reserve(count);
    }
}

uint8_t CRenderSegmentLineABC::AddSegment3D(const CableKey& piece, uint8_t previousDirection)
{
    if (piece.IsPoint()) {
        return previousDirection;
    }
    const uint8_t direction = ClassifySegment(piece.x1, piece.y1, piece.x2, piece.y2).direction;
    threeD_.emplace_back(piece, GetColour(), CornerOf(previousDirection, direction));
    return direction;
}

void CRenderSegmentLineABC::AddSegmentThin(const CableKey& piece)
{
    if (!piece.IsPoint()) {
        thin_.emplace_back(piece, GetColour());
    }
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
    for (const CRender3DSegment& piece : threeD_) {
        if (const std::optional<CRender3DPie> corner = piece.GetCorner()) {
            unite(corner->GetRect());
        }
        unite(piece.GetRect());
    }
    for (const CRenderSlimSegment& piece : thin_) {
        unite(piece.GetRect());
    }
    SetRect(united);
}

void CRenderSegmentLineABC::Draw(const CRect& update, CPixelTarget& target)
{
    if (!GetRect().Intersects(update)) {
        return;
    }
    ForEachPiece([&](CRenderABC& piece) { piece.Draw(update, target); });
}

void CRenderSegmentLineABC::Move(int32_t dx, int32_t dy)
{
    ForEachPiece([&](CRenderABC& piece) { piece.Move(dx, dy); });
    CRenderLineABC::Move(dx, dy);
}

void CRenderSegmentLineABC::Invalidate(NSHarrowen::CView& view) const
{
    for (const CRender3DSegment& piece : threeD_) {
        piece.Invalidate(view);
    }
    for (const CRenderSlimSegment& piece : thin_) {
        piece.Invalidate(view);
    }
}

void CRenderSegmentLineABC::SetHighlight(bool highlighted)
{
    if (highlighted == IsHighlighted()) {
        return;
    }
    ForEachPiece([&](CRenderABC& piece) { piece.SetHighlight(highlighted); });
    CRenderLineABC::SetHighlight(highlighted);
}

void CRenderSegmentLineABC::SetColour(uint32_t colour)
{
    ForEachPiece([&](CRenderABC& piece) { piece.SetColour(colour); });
    CRenderLineABC::SetColour(colour);
}
