#pragma once

#include "panels/panel/LayoutModule.h"

// The panels of the Logic tab: edge delays, pulse, logic processing, comparators and clock dividers.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.

class CModuleGatedly final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleGateneg final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModulePulse final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleTrigdly final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleGateinv final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLogic final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleCompare final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleCompare2 final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleClkdiv final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleClkdivf final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};
