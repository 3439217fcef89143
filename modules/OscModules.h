#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <string>

// The module types of the Osc tab: master and slave oscillators, noise, percussion and drum.

class CBModuleMstosc final : public CBuildModule {
public:
    CBModuleMstosc();
};

class CBModuleOsc final : public CBuildModule {
public:
    CBModuleOsc();
};

class CBModuleOscb final : public CBuildModule {
public:
    CBModuleOscb();
};

class CBModuleOscc final : public CBuildModule {
public:
    CBModuleOscc();
};

class CBModuleTiltosc final : public CBuildModule {
public:
    CBModuleTiltosc();
};

class CBModuleNoisosc final : public CBuildModule {
public:
    CBModuleNoisosc();
};

class CBModuleOsch final : public CBuildModule {
public:
    CBModuleOsch();
};

class CBModuleOscd final : public CBuildModule {
public:
    CBModuleOscd();
};

class CBModuleOsce final : public CBuildModule {
public:
    CBModuleOsce();
};

class CBModuleOscf final : public CBuildModule {
public:
    CBModuleOscf();
};

class CBModuleOscg final : public CBuildModule {
public:
    CBModuleOscg();
};

class CBModuleOscj final : public CBuildModule {
public:
    CBModuleOscj();
};

class CBModuleOscop final : public CBuildModule {
public:
    CBModuleOscop();
};

class CBModuleNoisea final : public CBuildModule {
public:
    CBModuleNoisea();
};

class CBModuleTfilter final : public CBuildModule {
public:
    CBModuleTfilter();
};

class CBModuleDrum final : public CBuildModule {
public:
    CBModuleDrum();
};

// Value texts of these types.
std::string ParamTextSpectralPartials(uint8_t v);
std::string ParamTextFormantTimbre(uint8_t v);
std::string ParamTextDrumFilterType(uint8_t v);
