#include "panels/cables/RenderStraightLine.h"

#include "framework/views/View.h"

#include <algorithm>
#include <cstdlib>

using NSHarrowen::CRect;

CRenderStraightLine::CRenderStraightLine(const CableKey& key, uint32_t colour, bool threeD)
    : CRenderSegmentLineABC(key, colour, threeD)
{
    ReservePieces(1);
    AddPiece(key, 0);
    UniteRects();
    BuildRegion();
}

void CRenderStraightLine::BuildRegion()
{
    parts_.clear();
    const CableKey& key = GetKey();
    const int32_t dx = key.x2 - key.x1;
    const int32_t dy = key.y2 - key.y1;
    const int32_t major = std::max(std::abs(dx), std::abs(dy));
    if (major <= kPartLength) {
        if (!GetRect().IsEmpty()) {
            parts_.push_back(GetRect());
        }
        return;
    }
    const bool steep = std::abs(dx) < std::abs(dy);
    const int32_t n = major / kPartLength;
    const double stepX = static_cast<double>(dx) / n;
    const double stepY = static_cast<double>(dy) / n;
    const auto widen = static_cast<int32_t>(GetLineWidth());
    for (int32_t k = 0; k < n; ++k) {
        CRect part(static_cast<int32_t>(key.x1 + stepX * k), static_cast<int32_t>(key.y1 + stepY * k),
                   static_cast<int32_t>(key.x1 + stepX * (k + 1)), static_cast<int32_t>(key.y1 + stepY * (k + 1)));
        part.Normalize();
        // The part's last pixels belong to it.
        part.right = static_cast<int16_t>(part.right + 1);
        part.bottom = static_cast<int16_t>(part.bottom + 1);
        if (steep) {
            part.Inflate(widen);
        } else {
            part.InflateVertically(widen);
        }
        parts_.push_back(part);
    }
}

void CRenderStraightLine::Move(int32_t dx, int32_t dy)
{
    CRenderSegmentLineABC::Move(dx, dy);
    for (CRect& part : parts_) {
        part.Offset(dx, dy);
    }
}

void CRenderStraightLine::Invalidate(NSHarrowen::CView& view) const
{
    for (const CRect& part : parts_) {
        view.InvalidateRect(part);
    }
}
