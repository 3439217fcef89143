#include "panels/graphs/PnlClassicFilterGraph.h"

CPnlClassicFilterGraph::CPnlClassicFilterGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlFilterGraphABC(parent, x, y, 4)
{ }

void CPnlClassicFilterGraph::ReadValues()
{
    fields_[kGainComp] = 0;
    fields_[kResonance] = Value(1);
    fields_[kFrequency] = Value(0);
    fields_[kType] = 1;
    fields_[kSlope] = static_cast<uint8_t>((Value(2) + 2) * 6);
    fields_[kBypass] = Value(3);
    fields_[kKind] = 1;
}
