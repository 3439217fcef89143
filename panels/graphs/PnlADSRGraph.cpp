#include "panels/graphs/PnlADSRGraph.h"

CPnlADSRGraph::CPnlADSRGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlADSRGraphABC(parent, x, y, 6)
{ }

void CPnlADSRGraph::ReadValues()
{
    attack_ = Value(0);
    decay_ = Value(1);
    sustain_ = Value(2);
    release_ = Value(3);
    attackType_ = Value(4);
    invert_ = Value(5);
}
