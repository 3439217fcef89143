#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <memory>
#include <string>

// The module types of the Audio tab: shapers, processors, dynamics, ring modulator and digitizer.

class CBModuleDista final : public CBuildModule {
public:
    CBModuleDista();
};

class CBModuleDistb final : public CBuildModule {
public:
    CBModuleDistb();
};

class CBModuleWraper final : public CBuildModule {
public:
    CBModuleWraper();
};

class CBModuleQuant final : public CBuildModule {
public:
    CBModuleQuant();
};

class CBModuleDelay final : public CBuildModule {
public:
    CBModuleDelay();
};

class CBModuleSh final : public CBuildModule {
public:
    CBModuleSh();
};

class CBModuleDiod final : public CBuildModule {
public:
    CBModuleDiod();
};

class CBModuleUnison final : public CBuildModule {
public:
    CBModuleUnison();
};

class CBModuleAllpass final : public CBuildModule {
public:
    CBModuleAllpass();
};

class CBModuleBalun final : public CBuildModule {
public:
    CBModuleBalun();
};

class CBModuleVeldyn final : public CBuildModule {
public:
    CBModuleVeldyn();
};

class CBModuleCompres final : public CBuildModule {
public:
    CBModuleCompres();
    std::unique_ptr<CModule> CreatePanel() override;
};

class CBModuleExpand final : public CBuildModule {
public:
    CBModuleExpand();
    std::unique_ptr<CModule> CreatePanel() override;
};

class CBModuleAm final : public CBuildModule {
public:
    CBModuleAm();
};

class CBModuleResamp final : public CBuildModule {
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
