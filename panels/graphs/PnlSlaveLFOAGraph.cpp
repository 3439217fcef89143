#include "panels/graphs/PnlSlaveLFOAGraph.h"

#include <cmath>

void CPnlSlaveLFOAGraph::ReadValues()
{
    // An octave per twelve steps from 64.
    periods_ = static_cast<float>(std::exp((Value(0) - 64) / 12.0 * 0.693));
    phase_ = PhaseCode(Value(1));
    waveform_ = static_cast<uint8_t>(Value(2) + 1);
}
