#pragma once

#include "framework/base/Rect.h"
#include "panels/cables/SegmentKind.h"

#include <cstdint>

class CPixelTarget;

// One straight piece of a cable, a line `width` pixels across, written
// straight into the picture's pixels: a run across the line for every step
// along its major axis, the inner pixels solid and the two edge pixels
// blended by their coverage. Made from the piece's ends when it is drawn or
// measured.
class CSegmentRaster {
public:
    // The pixels across a run: pixels[start + offset * step] at `offset`
    // pixels from the run's upper edge, within the ramp's length.
    struct Shading {
        const uint32_t* pixels;
        int32_t start;
        int32_t step;
    };

    CSegmentRaster(int32_t x1, int32_t y1, int32_t x2, int32_t y2, float width);

    SegmentClass GetClass() const { return class_; }
    // The box it covers; empty for a piece whose ends coincide.
    const NSHarrowen::CRect& GetRect() const { return rect_; }
    // The half-height of the run across, in pixels (0 for coinciding ends).
    float GetHalfRun() const;
    float GetSlopeAngle() const;
    void Draw(const NSHarrowen::CRect& update, CPixelTarget& target, const Shading& shading) const;

private:
    // The minor axis's change per step along the major axis.
    float GetSlope() const;

    SegmentClass class_;
    float width_;
    // Ends ordered along the major axis, in (major, minor) coordinates.
    int32_t majorA_ = 0;
    int32_t minorA_ = 0;
    int32_t majorB_ = 0;
    int32_t minorB_ = 0;
    NSHarrowen::CRect rect_;
};
