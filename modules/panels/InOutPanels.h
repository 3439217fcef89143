#pragma once

#include "panels/panel/LayoutModule.h"
#include "modules/panels/ModuleAudio.h"

// The panels of the In/Out tab: keyboard, MIDI, audio in and outputs, note detector and split.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.
// The audio inputs drive their two level meters (CModuleAudio, itself the panel of "AudioIn").

class CModuleMidi final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleMidib final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleMidic final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModulePolyin final : public CModuleAudio {
public:
    using CModuleAudio::CModuleAudio;
};

class CModuleOut1 final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOut2 final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleOut4 final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleNotedet final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};

class CModuleSplit final : public CLayoutModule {
public:
    using CLayoutModule::CLayoutModule;
};
