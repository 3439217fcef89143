#pragma once

#include "panels/panel/LayoutModule.h"

// The panels of the LFO tab: LFOs, slave LFOs, clock, random and pattern generators.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.

class CModuleLfoa final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLfob final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLfoc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLfoh final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLfod final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLfoe final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLfof final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLfog final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleClkgen final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleRandoma final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleRandomb final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleRandomd final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleRandomc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleLooprnd final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};
