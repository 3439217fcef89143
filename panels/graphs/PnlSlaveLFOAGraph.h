#pragma once

#include "panels/graphs/PnlLFOGraphABC.h"

// Rate ratio (how many periods show), phase and waveform.
class CPnlSlaveLFOAGraph final : public CPnlLFOGraphABC {
public:
    CPnlSlaveLFOAGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlLFOGraphABC(parent, x, y, 3) { }

protected:
    void ReadValues() override;
};
