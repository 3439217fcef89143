#pragma once

#include "modules/panels/OscPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <string>

// The module types of the Osc tab: master and slave oscillators, noise, percussion and drum.

class CBModuleMstosc final : public CBuildModuleOf<CModuleMstosc> {
public:
    CBModuleMstosc();
};

class CBModuleOsc final : public CBuildModuleOf<CModuleOsc> {
public:
    CBModuleOsc();
};

class CBModuleOscb final : public CBuildModuleOf<CModuleOscb> {
public:
    CBModuleOscb();
};

class CBModuleOscc final : public CBuildModuleOf<CModuleOscc> {
public:
    CBModuleOscc();
};

class CBModuleTiltosc final : public CBuildModuleOf<CModuleTiltosc> {
public:
    CBModuleTiltosc();
};

class CBModuleNoisosc final : public CBuildModuleOf<CModuleNoisosc> {
public:
    CBModuleNoisosc();
};

class CBModuleOsch final : public CBuildModuleOf<CModuleOsch> {
public:
    CBModuleOsch();
};

class CBModuleOscd final : public CBuildModuleOf<CModuleOscd> {
public:
    CBModuleOscd();
};

class CBModuleOsce final : public CBuildModuleOf<CModuleOsce> {
public:
    CBModuleOsce();
};

class CBModuleOscf final : public CBuildModuleOf<CModuleOscf> {
public:
    CBModuleOscf();
};

class CBModuleOscg final : public CBuildModuleOf<CModuleOscg> {
public:
    CBModuleOscg();
};

class CBModuleOscj final : public CBuildModuleOf<CModuleOscj> {
public:
    CBModuleOscj();
};

class CBModuleOscop final : public CBuildModuleOf<CModuleOscop> {
public:
    CBModuleOscop();
};

class CBModuleNoisea final : public CBuildModuleOf<CModuleNoisea> {
public:
    CBModuleNoisea();
};

class CBModuleTfilter final : public CBuildModuleOf<CModuleTfilter> {
public:
    CBModuleTfilter();
};

class CBModuleDrum final : public CBuildModuleOf<CModuleDrum> {
public:
    CBModuleDrum();
};

// Value texts of these types.
std::string ParamTextSpectralPartials(uint8_t v);
std::string ParamTextFormantTimbre(uint8_t v);
std::string ParamTextDrumFilterType(uint8_t v);
