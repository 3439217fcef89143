#pragma once

#include "panels/graphs/PnlGraphABC.h"

// Envelope graphs paint one pixel beyond the inner rectangle each way and
// show the surface from (1, 1).
class CPnlEnvelopeGraphABC : public CPnlGraphABC {
public:
    using CPnlGraphABC::CPnlGraphABC;

protected:
    // A time or level parameter at full scale.
    static constexpr int kFullScale = 127;
    // The time units a sustain level is held for on the graph.
    static constexpr int kSustainPlateau = 80;
    // One level unit of the height.
    static constexpr float kLevelUnit = 1.0f / kFullScale;

    // One time unit of the width, when `segments` times at full scale and a
    // plateau of `plateau` time units fill it.
    static constexpr float TimeUnit(int segments, int plateau = 0)
    {
        return 1.0f / static_cast<float>(segments * kFullScale + plateau);
    }

    int SurfaceInset() const override { return 1; }

    // From the bottom left corner, the attack's line up to the top; returns
    // the x where it ends, before rounding.
    float DrawAttackLine(uint8_t attack, float pixelsPerUnit, float height);
};
