#pragma once

#include "panels/graphs/PnlLFOGraphABC.h"

// A square wave: phase and pulse width.
class CPnlLFOBGraph final : public CPnlLFOGraphABC {
public:
    CPnlLFOBGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
};
