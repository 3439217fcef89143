#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <string>

// The module types of the LFO tab: LFOs, slave LFOs, clock, random and pattern generators.

class CBModuleLfoa final : public CBuildModule {
public:
    CBModuleLfoa();
};

class CBModuleLfob final : public CBuildModule {
public:
    CBModuleLfob();
};

class CBModuleLfoc final : public CBuildModule {
public:
    CBModuleLfoc();
};

class CBModuleLfoh final : public CBuildModule {
public:
    CBModuleLfoh();
};

class CBModuleLfod final : public CBuildModule {
public:
    CBModuleLfod();
};

class CBModuleLfoe final : public CBuildModule {
public:
    CBModuleLfoe();
};

class CBModuleLfof final : public CBuildModule {
public:
    CBModuleLfof();
};

class CBModuleLfog final : public CBuildModule {
public:
    CBModuleLfog();
};

class CBModuleClkgen final : public CBuildModule {
public:
    CBModuleClkgen();
};

class CBModuleRandoma final : public CBuildModule {
public:
    CBModuleRandoma();
};

class CBModuleRandomb final : public CBuildModule {
public:
    CBModuleRandomb();
};

class CBModuleRandomd final : public CBuildModule {
public:
    CBModuleRandomd();
};

class CBModuleRandomc final : public CBuildModule {
public:
    CBModuleRandomc();
};

class CBModuleLooprnd final : public CBuildModule {
public:
    CBModuleLooprnd();
};

// Value texts of these types.
std::string ParamTextClockBpm(uint8_t v);
std::string ParamTextPatternStep(uint8_t v);
std::string ParamTextPatternDelta(uint8_t v);
std::string ParamTextRandomColor(uint8_t v);
