#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <string>

// The module types of the Env tab: envelopes and the envelope follower.

class CBModuleEnvc final : public CBuildModule {
public:
    CBModuleEnvc();
};

class CBModuleEnvd final : public CBuildModule {
public:
    CBModuleEnvd();
};

class CBModuleEnvmod final : public CBuildModule {
public:
    CBModuleEnvmod();
};

class CBModuleEnvahd final : public CBuildModule {
public:
    CBModuleEnvahd();
};

class CBModuleEnvbi final : public CBuildModule {
public:
    CBModuleEnvbi();
};

class CBModuleEnvfol2 final : public CBuildModule {
public:
    CBModuleEnvfol2();
};

// Value texts of these types.
std::string ParamTextSustainPlace(uint8_t v);
std::string ParamTextEnvPolarity(uint8_t v);
std::string ParamTextFollowerRelease(uint8_t v);
