#pragma once

#include "panels/graphs/PnlEnvelopeGraphABC.h"

// Attack (linear, logarithmic or exponential), decay to the sustain level,
// the sustain stretch in yellow and the release; upside down when inverted.
class CPnlADSRGraphABC : public CPnlEnvelopeGraphABC {
public:
    CPnlADSRGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t params);

protected:
    void DrawGraph(float width, float height) override;

    uint8_t attack_ = 0;
    uint8_t decay_ = 0;
    uint8_t sustain_ = 0;
    uint8_t release_ = 0;
    uint8_t attackType_ = 0;
    uint8_t invert_ = 0;

private:
    struct Geometry;
    void DrawUpright(const Geometry& g, float W, float H);
    void DrawInverted(const Geometry& g, float W, float H);
};
