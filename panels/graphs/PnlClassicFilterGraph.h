#pragma once

#include "panels/graphs/PnlFilterGraphABC.h"

// A low-pass without gain control: frequency, resonance, slope and bypass.
class CPnlClassicFilterGraph final : public CPnlFilterGraphABC {
public:
    CPnlClassicFilterGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
};
