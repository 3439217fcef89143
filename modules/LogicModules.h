#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <string>

// The module types of the Logic tab: edge delays, pulse, logic processing, comparators and clock dividers.

class CBModuleGatedly final : public CBuildModule {
public:
    CBModuleGatedly();
};

class CBModuleGateneg final : public CBuildModule {
public:
    CBModuleGateneg();
};

class CBModulePulse final : public CBuildModule {
public:
    CBModulePulse();
};

class CBModuleTrigdly final : public CBuildModule {
public:
    CBModuleTrigdly();
};

class CBModuleGateinv final : public CBuildModule {
public:
    CBModuleGateinv();
};

class CBModuleLogic final : public CBuildModule {
public:
    CBModuleLogic();
};

class CBModuleCompare final : public CBuildModule {
public:
    CBModuleCompare();
};

class CBModuleCompare2 final : public CBuildModule {
public:
    CBModuleCompare2();
};

class CBModuleClkdiv final : public CBuildModule {
public:
    CBModuleClkdiv();
};

class CBModuleClkdivf final : public CBuildModule {
public:
    CBModuleClkdivf();
};

// Value texts of these types.
std::string ParamTextLogicType(uint8_t v);
