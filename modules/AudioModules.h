#pragma once

#include "modules/panels/AudioPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <memory>
#include <string>

// The module types of the Audio tab: shapers, processors, dynamics, ring modulator and digitizer.

class CBModuleDista final : public CBuildModuleOf<CModuleDista> {
public:
    CBModuleDista();
};

class CBModuleDistb final : public CBuildModuleOf<CModuleDistb> {
public:
    CBModuleDistb();
};

class CBModuleWraper final : public CBuildModuleOf<CModuleWraper> {
public:
    CBModuleWraper();
};

class CBModuleQuant final : public CBuildModuleOf<CModuleQuant> {
public:
    CBModuleQuant();
};

class CBModuleDelay final : public CBuildModuleOf<CModuleDelay> {
public:
    CBModuleDelay();
};

class CBModuleSh final : public CBuildModuleOf<CModuleSh> {
public:
    CBModuleSh();
};

class CBModuleDiod final : public CBuildModuleOf<CModuleDiod> {
public:
    CBModuleDiod();
};

class CBModuleUnison final : public CBuildModuleOf<CModuleUnison> {
public:
    CBModuleUnison();
};

class CBModuleAllpass final : public CBuildModuleOf<CModuleAllpass> {
public:
    CBModuleAllpass();
};

class CBModuleBalun final : public CBuildModuleOf<CModuleBalun> {
public:
    CBModuleBalun();
};

class CBModuleVeldyn final : public CBuildModuleOf<CModuleVeldyn> {
public:
    CBModuleVeldyn();
};

class CBModuleCompres final : public CBuildModuleOf<CModuleCompres> {
public:
    CBModuleCompres();
};

class CBModuleExpand final : public CBuildModuleOf<CModuleExpand> {
public:
    CBModuleExpand();
};

class CBModuleAm final : public CBuildModuleOf<CModuleAm> {
public:
    CBModuleAm();
};

class CBModuleResamp final : public CBuildModuleOf<CModuleResamp> {
public:
    CBModuleResamp();
};

// Value texts of these types.
std::string ParamTextBits(uint8_t v);
std::string ParamTextDelayTime(uint8_t v);
std::string ParamTextDiodeType(uint8_t v);
std::string ParamTextPhaserRate(uint8_t v);
std::string ParamTextShift(uint8_t v);
std::string ParamTextInvert(uint8_t v);
std::string ParamTextShaperCurve(uint8_t v);
// Also the attack of the envelope follower, which reads the same.
std::string ParamTextDynAttack(uint8_t v);
std::string ParamTextDynRelease(uint8_t v);
std::string ParamTextCompThreshold(uint8_t v);
std::string ParamTextDynRatio(uint8_t v);
std::string ParamTextRefLevel(uint8_t v);
std::string ParamTextLimiter(uint8_t v);
std::string ParamTextExpThreshold(uint8_t v);
std::string ParamTextGateHold(uint8_t v);
std::string ParamTextRingModDepth(uint8_t v);
