#pragma once

#include "panels/panel/LayoutModule.h"

// The panels of the Osc tab: master and slave oscillators, noise, percussion and drum.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.

class CModuleMstosc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOsc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOscb final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOscc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleTiltosc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleNoisosc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOsch final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOscd final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOsce final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOscf final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOscg final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOscj final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOscop final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleNoisea final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleTfilter final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleDrum final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};
