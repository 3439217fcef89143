#include "panels/graphs/PnlLFOBGraph.h"

CPnlLFOBGraph::CPnlLFOBGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlLFOGraphABC(parent, x, y, 2)
{
    waveform_ = 5;
}

void CPnlLFOBGraph::ReadValues()
{
    phase_ = PhaseCode(Value(0));
    pulseWidth_ = Value(1);
}
