#pragma once

#include "panels/panel/LayoutModule.h"
#include "modules/panels/ModuleDynamics.h"

// The panels of the Audio tab: shapers, processors, dynamics, ring modulator and digitizer.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.
// The compressor and expander drive their gain meter and lamp (CModuleDynamics).

class CModuleDista final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleDistb final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleWraper final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleQuant final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleDelay final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleSh final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleDiod final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleUnison final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleAllpass final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleBalun final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleVeldyn final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleCompres final : public CModuleDynamics {
public:
    using CModuleDynamics::CModuleDynamics;
};

class CModuleExpand final : public CModuleDynamics {
public:
    using CModuleDynamics::CModuleDynamics;
};

class CModuleAm final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleResamp final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};
