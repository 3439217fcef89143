#pragma once

#include "panels/panel/LayoutModule.h"

// The panels of the Mixer tab: mixers, faders, gain, switches and amplifier.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.

class CModuleMixl final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleMixbig final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleVca final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleMixs final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModulePan final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleFade1t2 final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleFade2t1 final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLvlmult final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLvladd final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOnoff final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleKnobmux final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleKnobdemux final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleAmp final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};
