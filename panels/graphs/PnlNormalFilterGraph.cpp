#include "panels/graphs/PnlNormalFilterGraph.h"

CPnlNormalFilterGraph::CPnlNormalFilterGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlFilterGraphABC(parent, x, y, 6)
{ }

void CPnlNormalFilterGraph::ReadValues()
{
    fields_[kGainComp] = Value(3);
    fields_[kResonance] = Value(1);
    fields_[kFrequency] = Value(0);
    fields_[kType] = static_cast<uint8_t>(Value(2) + 1);
    fields_[kSlope] = static_cast<uint8_t>((Value(4) + 1) * 12);
    fields_[kBypass] = Value(5);
    fields_[kKind] = 0;
}
