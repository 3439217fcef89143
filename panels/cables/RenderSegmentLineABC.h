#pragma once

#include "panels/cables/RenderLineABC.h"

#include <memory>
#include <vector>

// A cable drawn as a chain of straight pieces, with corner pieces at the
// bends of 3D chains. It covers the union of its pieces.
class CRenderSegmentLineABC : public CRenderLineABC {
public:
    const std::vector<std::unique_ptr<CRenderABC>>& GetPieces() const { return pieces_; }

    void Draw(const NSHarrowen::CRect& update, CPixelTarget& target) override;
    void Move(int32_t dx, int32_t dy) override;
    void Invalidate(NSHarrowen::CView& view) const override;
    void SetHighlight(bool highlighted) override;
    void SetColour(uint32_t colour) override;

protected:
    CRenderSegmentLineABC(const CableKey& key, uint32_t colour) : CRenderLineABC(key, colour) { }

    // Appends a 3D piece, after a corner when it bends away from the
    // previous direction (0 for the first piece); returns its direction.
    // A piece whose ends coincide is left out and keeps the direction.
    uint8_t AddSegment3D(const CableKey& piece, uint8_t previousDirection);
    void AddSegmentThin(const CableKey& piece);
    // The covered box becomes the union of the pieces.
    void UniteRects();

private:
    std::vector<std::unique_ptr<CRenderABC>> pieces_;
};
