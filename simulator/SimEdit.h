#pragma once

#include "simulator/SimCodec.h"
#include "simulator/SimModuleTypes.h"
#include "simulator/SimPatch.h"

namespace sim {

// Applies one edit or dump molecule of the editor to a patch. Dumps add to
// what the patch holds (modules by index, cables, names, values); the maps,
// the header and the current notes are replaced whole.
void ApplyEdit(SimPatch& patch, const SimMol& mol, const CSimModuleTypes& types);

} // namespace sim
