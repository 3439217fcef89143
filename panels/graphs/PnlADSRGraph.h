#pragma once

#include "panels/graphs/PnlADSRGraphABC.h"

// Attack, decay, sustain, release, attack type and invert.
class CPnlADSRGraph final : public CPnlADSRGraphABC {
public:
    CPnlADSRGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
};
