#pragma once

#include "panels/cables/RenderLineABC.h"
#include "panels/cables/SegmentKind.h"

// One straight piece of a cable, written straight into the picture's
// pixels: a run across the line for every step along its major axis, the
// inner pixels solid and the two edge pixels blended by their coverage.
class CRenderSegmentABC : public CRenderLineABC {
public:
    SegmentClass GetClass() const { return class_; }
    void Draw(const NSHarrowen::CRect& update, CPixelTarget& target) override;
    // The ends move with the rest (a scroll, or the area moved).
    void Move(int32_t dx, int32_t dy) override;

protected:
    // `width` is the line's width across it.
    CRenderSegmentABC(const CableKey& key, uint32_t colour, float width);
    virtual float GetWidth() const = 0;

    // The half-height of the run across a line `width` wide, in pixels (0
    // for a piece whose ends coincide).
    float GetHalfRun(float width) const;
    float GetSlopeAngle() const;
    // The pixel at `offset` pixels from the run's upper edge.
    virtual uint32_t PixelAcross(float offset) const = 0;

private:
    // The minor axis's change per step along the major axis.
    float GetSlope() const;

    SegmentClass class_;
    // Ends ordered along the major axis, in (major, minor) coordinates, as
    // narrow as the key's; what follows from them is worked out when asked
    // for, as a full patch keeps thousands of pieces.
    int16_t majorA_ = 0;
    int16_t minorA_ = 0;
    int16_t majorB_ = 0;
    int16_t minorB_ = 0;
};
