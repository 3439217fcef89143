#pragma once

#include "synth/link/Synth.h"

// The large model: four slots A-D, nine flash banks.
class CKandrel : public CSynth {
public:
    explicit CKandrel(CSynthPort& port) : CSynth(port, 4, 9, 0) { }
};
