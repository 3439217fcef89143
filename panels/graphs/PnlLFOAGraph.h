#pragma once

#include "panels/graphs/PnlLFOGraphABC.h"

// Phase and waveform.
class CPnlLFOAGraph final : public CPnlLFOGraphABC {
public:
    CPnlLFOAGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlLFOGraphABC(parent, x, y, 2) { }

protected:
    void ReadValues() override;
};
