#pragma once

#include "modules/panels/LogicPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <string>

// The module types of the Logic tab: edge delays, pulse, logic processing, comparators and clock dividers.

class CBModuleGatedly final : public CBuildModuleOf<CModuleGatedly> {
public:
    CBModuleGatedly();
};

class CBModuleGateneg final : public CBuildModuleOf<CModuleGateneg> {
public:
    CBModuleGateneg();
};

class CBModulePulse final : public CBuildModuleOf<CModulePulse> {
public:
    CBModulePulse();
};

class CBModuleTrigdly final : public CBuildModuleOf<CModuleTrigdly> {
public:
    CBModuleTrigdly();
};

class CBModuleGateinv final : public CBuildModuleOf<CModuleGateinv> {
public:
    CBModuleGateinv();
};

class CBModuleLogic final : public CBuildModuleOf<CModuleLogic> {
public:
    CBModuleLogic();
};

class CBModuleCompare final : public CBuildModuleOf<CModuleCompare> {
public:
    CBModuleCompare();
};

class CBModuleCompare2 final : public CBuildModuleOf<CModuleCompare2> {
public:
    CBModuleCompare2();
};

class CBModuleClkdiv final : public CBuildModuleOf<CModuleClkdiv> {
public:
    CBModuleClkdiv();
};

class CBModuleClkdivf final : public CBuildModuleOf<CModuleClkdivf> {
public:
    CBModuleClkdivf();
};

// Value texts of these types.
std::string ParamTextLogicType(uint8_t v);
