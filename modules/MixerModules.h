#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <string>

// The module types of the Mixer tab: mixers, faders, gain, switches and amplifier.

class CBModuleMixl final : public CBuildModule {
public:
    CBModuleMixl();
};

class CBModuleMixbig final : public CBuildModule {
public:
    CBModuleMixbig();
};

class CBModuleVca final : public CBuildModule {
public:
    CBModuleVca();
};

class CBModuleMixs final : public CBuildModule {
public:
    CBModuleMixs();
};

class CBModulePan final : public CBuildModule {
public:
    CBModulePan();
};

class CBModuleFade1t2 final : public CBuildModule {
public:
    CBModuleFade1t2();
};

class CBModuleFade2t1 final : public CBuildModule {
public:
    CBModuleFade2t1();
};

class CBModuleLvlmult final : public CBuildModule {
public:
    CBModuleLvlmult();
};

class CBModuleLvladd final : public CBuildModule {
public:
    CBModuleLvladd();
};

class CBModuleOnoff final : public CBuildModule {
public:
    CBModuleOnoff();
};

class CBModuleKnobmux final : public CBuildModule {
public:
    CBModuleKnobmux();
};

class CBModuleKnobdemux final : public CBuildModule {
public:
    CBModuleKnobdemux();
};

class CBModuleAmp final : public CBuildModule {
public:
    CBModuleAmp();
};

// Value texts of these types.
std::string ParamTextFadeOut(uint8_t v);
std::string ParamTextFadeIn(uint8_t v);
std::string ParamTextGainByPolarity(uint8_t v, uint8_t polarity);
std::string ParamTextLevelShift(uint8_t v);
