#pragma once

#include "panels/cables/CablePiece.h"
#include "panels/cables/Render3DPie.h"
#include "panels/cables/RenderLineABC.h"
#include "panels/cables/SegmentRaster.h"

#include <cstddef>
#include <optional>
#include <vector>

// A cable drawn as a chain of straight pieces, with corners at the bends of
// 3D chains. It covers the union of its pieces. A chain is all 3D (three
// pixels wide, shaded across from the colour's ramp with its bright line off
// the centre by the piece's slope) or all thin (one pixel wide in the
// colour's pixel); its pieces are plain records.
class CRenderSegmentLineABC : public CRenderLineABC {
public:
    static constexpr float k3DWidth = 3.0F;
    static constexpr float kThinWidth = 1.01F;

    bool IsThreeD() const { return threeD_; }
    float GetLineWidth() const { return threeD_ ? k3DWidth : kThinWidth; }
    const std::vector<CablePiece>& GetPieces() const { return pieces_; }
    CSegmentRaster GetRaster(const CablePiece& piece) const;
    // The corner at the piece's first end, if it has one, in the cable's
    // colour and highlight.
    std::optional<CRender3DPie> GetCorner(const CablePiece& piece) const;

    void Draw(const NSHarrowen::CRect& update, CPixelTarget& target) override;
    void Move(int32_t dx, int32_t dy) override;
    void Invalidate(NSHarrowen::CView& view) const override;

protected:
    CRenderSegmentLineABC(const CableKey& key, uint32_t colour, bool threeD)
        : CRenderLineABC(key, colour), threeD_(threeD)
    { }

    // Room for this many pieces, so that the list holds no spare room.
    void ReservePieces(size_t count) { pieces_.reserve(count); }
    // Appends a piece; a 3D piece gets a corner when it bends away from the
    // previous direction (0 for the first piece). Returns its direction. A
    // piece whose ends coincide is left out and keeps the direction.
    uint8_t AddPiece(const CableKey& piece, uint8_t previousDirection);
    // The covered box becomes the union of the pieces.
    void UniteRects();

private:
    std::vector<CablePiece> pieces_;
    bool threeD_;
};
