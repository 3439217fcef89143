#include "panels/cables/RenderSegmentLineABC.h"

#include "panels/cables/Render3DPie.h"
#include "panels/cables/Render3DSegment.h"
#include "panels/cables/RenderSlimSegment.h"

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

uint8_t CRenderSegmentLineABC::AddSegment3D(const CableKey& piece, uint8_t previousDirection)
{
    if (piece.IsPoint()) {
        return previousDirection;
    }
    const uint8_t direction = ClassifySegment(piece.x1, piece.y1, piece.x2, piece.y2).direction;
    if (const std::optional<PieKind> pie = CornerOf(previousDirection, direction)) {
        pieces_.push_back(std::make_unique<CRender3DPie>(*pie, piece.x1, piece.y1, GetColour()));
    }
    pieces_.push_back(std::make_unique<CRender3DSegment>(piece, GetColour()));
    return direction;
}

void CRenderSegmentLineABC::AddSegmentThin(const CableKey& piece)
{
    if (!piece.IsPoint()) {
        pieces_.push_back(std::make_unique<CRenderSlimSegment>(piece, GetColour()));
    }
}

void CRenderSegmentLineABC::UniteRects()
{
    CRect united;
    for (const auto& piece : pieces_) {
        if (piece->GetRect().IsEmpty()) {
            continue;
        }
        if (united.IsEmpty()) {
            united = piece->GetRect();
        } else {
            united.Union(piece->GetRect());
        }
    }
    SetRect(united);
}

void CRenderSegmentLineABC::Draw(const CRect& update, CPixelTarget& target)
{
    if (!GetRect().Intersects(update)) {
        return;
    }
    for (const auto& piece : pieces_) {
        piece->Draw(update, target);
    }
}

void CRenderSegmentLineABC::Move(int32_t dx, int32_t dy)
{
    for (const auto& piece : pieces_) {
        piece->Move(dx, dy);
    }
    CRenderLineABC::Move(dx, dy);
}

void CRenderSegmentLineABC::Invalidate(NSHarrowen::CView& view) const
{
    for (const auto& piece : pieces_) {
        piece->Invalidate(view);
    }
}

void CRenderSegmentLineABC::SetHighlight(bool highlighted)
{
    if (highlighted == IsHighlighted()) {
        return;
    }
    for (const auto& piece : pieces_) {
        piece->SetHighlight(highlighted);
    }
    CRenderLineABC::SetHighlight(highlighted);
}

void CRenderSegmentLineABC::SetColour(uint32_t colour)
{
    for (const auto& piece : pieces_) {
        piece->SetColour(colour);
    }
    CRenderLineABC::SetColour(colour);
}
