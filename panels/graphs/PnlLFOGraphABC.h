#pragma once

#include "panels/graphs/PnlGraphABC.h"

// The waveform of an LFO over its period, shifted by its phase.
class CPnlLFOGraphABC : public CPnlGraphABC {
public:
    CPnlLFOGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t params);

    // The stored phase code of a phase value: a half period's shift.
    static uint8_t PhaseCode(uint8_t phase);

protected:
    void DrawGraph(float width, float height) override;

    uint8_t phase_ = 0;
    // 0 level, 1 sine, 2 triangle, 3 saw, 4 falling saw, 5 square.
    uint8_t waveform_ = 0;
    uint8_t pulseWidth_ = 64;
    float periods_ = 1.0f;
};
