#pragma once

#include "simulator/SimModuleTypes.h"

namespace sim {

// The module types of the program's catalogue: the only data the simulator
// shares with the editor.
const CSimModuleTypes& CatalogueTypes();

} // namespace sim
