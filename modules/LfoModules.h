#pragma once

#include "modules/panels/LfoPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <string>

// The module types of the LFO tab: LFOs, slave LFOs, clock, random and pattern generators.

class CBModuleLfoa final : public CBuildModuleOf<CModuleLfoa> {
public:
    CBModuleLfoa();
};

class CBModuleLfob final : public CBuildModuleOf<CModuleLfob> {
public:
    CBModuleLfob();
};

class CBModuleLfoc final : public CBuildModuleOf<CModuleLfoc> {
public:
    CBModuleLfoc();
};

class CBModuleLfoh final : public CBuildModuleOf<CModuleLfoh> {
public:
    CBModuleLfoh();
};

class CBModuleLfod final : public CBuildModuleOf<CModuleLfod> {
public:
    CBModuleLfod();
};

class CBModuleLfoe final : public CBuildModuleOf<CModuleLfoe> {
public:
    CBModuleLfoe();
};

class CBModuleLfof final : public CBuildModuleOf<CModuleLfof> {
public:
    CBModuleLfof();
};

class CBModuleLfog final : public CBuildModuleOf<CModuleLfog> {
public:
    CBModuleLfog();
};

class CBModuleClkgen final : public CBuildModuleOf<CModuleClkgen> {
public:
    CBModuleClkgen();
};

class CBModuleRandoma final : public CBuildModuleOf<CModuleRandoma> {
public:
    CBModuleRandoma();
};

class CBModuleRandomb final : public CBuildModuleOf<CModuleRandomb> {
public:
    CBModuleRandomb();
};

class CBModuleRandomd final : public CBuildModuleOf<CModuleRandomd> {
public:
    CBModuleRandomd();
};

class CBModuleRandomc final : public CBuildModuleOf<CModuleRandomc> {
public:
    CBModuleRandomc();
};

class CBModuleLooprnd final : public CBuildModuleOf<CModuleLooprnd> {
public:
    CBModuleLooprnd();
};

// Value texts of these types.
std::string ParamTextClockBpm(uint8_t v);
std::string ParamTextPatternStep(uint8_t v);
std::string ParamTextPatternDelta(uint8_t v);
std::string ParamTextRandomColor(uint8_t v);
