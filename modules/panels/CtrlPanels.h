#pragma once

#include "panels/panel/LayoutModule.h"

// The panels of the Ctrl tab: constants, smoothing, portamento, note scaling and control mixing.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.

class CModuleConst final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleSmooth final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleSlide final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleSlide2 final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleScale3 final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleNoteq final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleScaleqnt final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleHarmqnt final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleCtrlmix final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleAmpProc final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};
