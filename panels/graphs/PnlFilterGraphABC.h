#pragma once

#include "panels/graphs/PnlGraphABC.h"

#include <array>

// A filter's response: pass band, resonance bump at the cut-off and slope,
// the area below filled; a level line when bypassed.
class CPnlFilterGraphABC : public CPnlGraphABC {
public:
    CPnlFilterGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t params);

protected:
    void DrawGraph(float width, float height) override;

    // Gain compensation, resonance, frequency, type (1 LP, 2 BP, 3 HP,
    // 4 BR), slope in dB per octave, kind (0 normal, 1 classic), bypass.
    enum Field { kGainComp, kResonance, kFrequency, kType, kSlope, kKind, kBypass };
    std::array<uint8_t, 7> fields_{};
};
