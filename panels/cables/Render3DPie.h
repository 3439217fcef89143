#pragma once

#include "panels/cables/RenderABC.h"

#include <cstdint>

// The small corner piece that fills the joint of two 3D pieces at a bend.
enum class PieKind : uint8_t { Pie12, Pie45, Pie78 };

class CRender3DPie final : public CRenderABC {
public:
    CRender3DPie(PieKind kind, int32_t x, int32_t y, uint32_t colour);

    PieKind GetKind() const { return kind_; }
    NSHarrowen::CPoint GetJoint() const { return {x_, y_}; }
    // Drawn only when the whole corner lies inside the update rectangle.
    void Draw(const NSHarrowen::CRect& update, CPixelTarget& target) override;
    void Move(int32_t dx, int32_t dy) override;
    void SetHighlight(bool highlighted) override;
    void SetColour(uint32_t colour) override;

private:
    void SelectShades();

    PieKind kind_;
    int32_t x_;
    int32_t y_;
    const uint32_t* shades_ = nullptr;
};
