#pragma once

#include "synth/link/Kandrel.h"

// The rack model: as the large model.
class CKandrelRack : public CKandrel {
public:
    explicit CKandrelRack(CSynthPort& port) : CKandrel(port) { }
};
