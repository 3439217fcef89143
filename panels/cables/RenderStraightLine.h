#pragma once

#include "panels/cables/RenderSegmentLineABC.h"

#include <vector>

// A straight cable: one piece from end 1 to end 2. Long cables repaint only
// a strip of 40-pixel parts along themselves.
class CRenderStraightLine final : public CRenderSegmentLineABC {
public:
    static constexpr int32_t kPartLength = 40;

    CRenderStraightLine(const CableKey& key, uint32_t colour, bool threeD);

    const std::vector<NSHarrowen::CRect>& GetRegionParts() const { return parts_; }
    void Move(int32_t dx, int32_t dy) override;
    void Invalidate(NSHarrowen::CView& view) const override;

private:
    void BuildRegion();

    std::vector<NSHarrowen::CRect> parts_;
};
