#pragma once

#include "panels/panel/LayoutModule.h"

// The panels of the Filter tab: filters, vocal filter, vocoder, filter bank and equalisers.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.

class CModuleFilterf final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleFilterg final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleFilterb final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleFiltera final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleFilterc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleFilterh final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleFormflt final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleVocoder final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleFilterBank final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleEqpeak final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleEqshelv final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};
