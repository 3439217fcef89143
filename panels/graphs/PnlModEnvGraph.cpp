#include "panels/graphs/PnlModEnvGraph.h"

CPnlModEnvGraph::CPnlModEnvGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlADSRGraphABC(parent, x, y, 5)
{
    attackType_ = 1;
}

void CPnlModEnvGraph::ReadValues()
{
    attack_ = Value(0);
    decay_ = Value(1);
    sustain_ = Value(2);
    release_ = Value(3);
    invert_ = Value(4);
}
