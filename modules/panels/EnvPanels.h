#pragma once

#include "panels/panel/LayoutModule.h"

// The panels of the Env tab: envelopes and the envelope follower.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.

class CModuleEnvc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleEnvd final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleEnvmod final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleEnvahd final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleEnvbi final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleEnvfol2 final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};
