#pragma once

#include "modules/panels/MixerPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <string>

// The module types of the Mixer tab: mixers, faders, gain, switches and amplifier.

class CBModuleMixl final : public CBuildModuleOf<CModuleMixl> {
public:
    CBModuleMixl();
};

class CBModuleMixbig final : public CBuildModuleOf<CModuleMixbig> {
public:
    CBModuleMixbig();
};

class CBModuleVca final : public CBuildModuleOf<CModuleVca> {
public:
    CBModuleVca();
};

class CBModuleMixs final : public CBuildModuleOf<CModuleMixs> {
public:
    CBModuleMixs();
};

class CBModulePan final : public CBuildModuleOf<CModulePan> {
public:
    CBModulePan();
};

class CBModuleFade1t2 final : public CBuildModuleOf<CModuleFade1t2> {
public:
    CBModuleFade1t2();
};

class CBModuleFade2t1 final : public CBuildModuleOf<CModuleFade2t1> {
public:
    CBModuleFade2t1();
};

class CBModuleLvlmult final : public CBuildModuleOf<CModuleLvlmult> {
public:
    CBModuleLvlmult();
};

class CBModuleLvladd final : public CBuildModuleOf<CModuleLvladd> {
public:
    CBModuleLvladd();
};

class CBModuleOnoff final : public CBuildModuleOf<CModuleOnoff> {
public:
    CBModuleOnoff();
};

class CBModuleKnobmux final : public CBuildModuleOf<CModuleKnobmux> {
public:
    CBModuleKnobmux();
};

class CBModuleKnobdemux final : public CBuildModuleOf<CModuleKnobdemux> {
public:
    CBModuleKnobdemux();
};

class CBModuleAmp final : public CBuildModuleOf<CModuleAmp> {
public:
    CBModuleAmp();
};

// Value texts of these types.
std::string ParamTextFadeOut(uint8_t v);
std::string ParamTextFadeIn(uint8_t v);
std::string ParamTextGainByPolarity(uint8_t v, uint8_t polarity);
std::string ParamTextLevelShift(uint8_t v);
