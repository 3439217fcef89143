#include "panels/graphs/PnlLFOAGraph.h"

void CPnlLFOAGraph::ReadValues()
{
    phase_ = PhaseCode(Value(0));
    waveform_ = static_cast<uint8_t>(Value(1) + 1);
}
