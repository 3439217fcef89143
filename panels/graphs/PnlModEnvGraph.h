#pragma once

#include "panels/graphs/PnlADSRGraphABC.h"

// Attack, decay, sustain, release and invert; the attack is always linear.
class CPnlModEnvGraph final : public CPnlADSRGraphABC {
public:
    CPnlModEnvGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
};
