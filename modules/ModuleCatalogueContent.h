#pragma once

#include "panels/ModuleCatalogue.h"

#include <memory>

// A new catalogue holding every module type on its toolbar tab. The
// application makes one at start-up and installs it for the protocol with
// SetModuleTypeInfo.
std::unique_ptr<CModuleCatalogue> MakeModuleCatalogue();

// One catalogue shared by whoever needs the type tables without owning a
// catalogue (tools, the simulator, tests); made on first use.
const CModuleCatalogue& GetSharedModuleCatalogue();
// Installs the shared catalogue as the protocol's module type info.
void InstallSharedModuleTypeInfo();
