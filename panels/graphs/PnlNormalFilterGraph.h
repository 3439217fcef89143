#pragma once

#include "panels/graphs/PnlFilterGraphABC.h"

// Frequency, resonance, type, gain control, slope and bypass.
class CPnlNormalFilterGraph final : public CPnlFilterGraphABC {
public:
    CPnlNormalFilterGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
};
