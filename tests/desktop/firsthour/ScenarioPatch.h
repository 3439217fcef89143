#pragma once

#include "simulator/SimPatch.h"

#include <string>

namespace firsthour {

// The patch the simulated synthesizer starts with in slot A: oscillator,
// envelope, filter and output in the poly area, an LFO in the common area,
// cabled as a small synthesizer voice.
sim::SimPatch MakeSlotPatch();

// The index of the first jack of a type of this signal kind (logic 0, audio
// 1, control 2, slave 3) on one side; -1 when it has none.
int FindJack(int type, bool output, int kind);
// The type id of a short name ("OscA"), 0 when there is none.
int TypeNamed(const std::string& shortName);

// What differs between the modules, values and cables of two patches (cables
// in any order); empty when they are equal.
std::string CompareAreas(const sim::SimPatch& expected, const sim::SimPatch& actual);

} // namespace firsthour
