#pragma once

#include "synth/link/Synth.h"

// The small model: one slot, one flash bank.
class CPebix : public CSynth {
public:
    explicit CPebix(CSynthPort& port) : CSynth(port, 1, 1, 1) { }
};
