#pragma once

#include "panels/cables/Render3DSegment.h"
#include "panels/cables/RenderLineABC.h"
#include "panels/cables/RenderSlimSegment.h"

#include <cstddef>
#include <vector>

// A cable drawn as a chain of straight pieces, with corners at the bends of
// 3D chains. It covers the union of its pieces. A chain is all 3D or all
// thin; its pieces are kept by value (a full patch has thousands).
class CRenderSegmentLineABC : public CRenderLineABC {
public:
    const std::vector<CRender3DSegment>& Get3DPieces() const { return threeD_; }
    const std::vector<CRenderSlimSegment>& GetThinPieces() const { return thin_; }

    void Draw(const NSHarrowen::CRect& update, CPixelTarget& target) override;
    void Move(int32_t dx, int32_t dy) override;
    void Invalidate(NSHarrowen::CView& view) const override;
    void SetHighlight(bool highlighted) override;
    void SetColour(uint32_t colour) override;

protected:
    CRenderSegmentLineABC(const CableKey& key, uint32_t colour) : CRenderLineABC(key, colour) { }

    // Room for this many pieces, so that the list holds no spare room.
    void ReservePieces(size_t count, bool threeD);
    // Appends a 3D piece, with a corner when it bends away from the
    // previous direction (0 for the first piece); returns its direction.
    // A piece whose ends coincide is left out and keeps the direction.
    uint8_t AddSegment3D(const CableKey& piece, uint8_t previousDirection);
    void AddSegmentThin(const CableKey& piece);
    // The covered box becomes the union of the pieces.
    void UniteRects();

private:
    // Calls `action` with each piece in drawing order.
    template <typename Action> void ForEachPiece(Action action);

    std::vector<CRender3DSegment> threeD_;
    std::vector<CRenderSlimSegment> thin_;
};
