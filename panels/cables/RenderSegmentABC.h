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

    // The half-height of the run across the line, in pixels.
    float GetHalfRun() const { return halfRun_; }
    float GetSlopeAngle() const { return slopeAngle_; }
    // The pixel at `offset` pixels from the run's upper edge.
    virtual uint32_t PixelAcross(float offset) const = 0;

private:
    SegmentClass class_;
    // Ends ordered along the major axis, in (major, minor) coordinates.
    int32_t majorA_ = 0;
    int32_t minorA_ = 0;
    int32_t majorB_ = 0;
    int32_t minorB_ = 0;
    float halfRun_ = 0;
    float slopeAngle_ = 0;
};
