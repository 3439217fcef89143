#pragma once

#include "modules/panels/EnvPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <string>

// The module types of the Env tab: envelopes and the envelope follower.

class CBModuleEnvc final : public CBuildModuleOf<CModuleEnvc> {
public:
    CBModuleEnvc();
};

class CBModuleEnvd final : public CBuildModuleOf<CModuleEnvd> {
public:
    CBModuleEnvd();
};

class CBModuleEnvmod final : public CBuildModuleOf<CModuleEnvmod> {
public:
    CBModuleEnvmod();
};

class CBModuleEnvahd final : public CBuildModuleOf<CModuleEnvahd> {
public:
    CBModuleEnvahd();
};

class CBModuleEnvbi final : public CBuildModuleOf<CModuleEnvbi> {
public:
    CBModuleEnvbi();
};

class CBModuleEnvfol2 final : public CBuildModuleOf<CModuleEnvfol2> {
public:
    CBModuleEnvfol2();
};

// Value texts of these types.
std::string ParamTextSustainPlace(uint8_t v);
std::string ParamTextEnvPolarity(uint8_t v);
std::string ParamTextFollowerRelease(uint8_t v);
