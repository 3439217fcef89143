#pragma once

#include "modules/panels/FilterPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <string>

// The module types of the Filter tab: filters, vocal filter, vocoder, filter bank and equalisers.

class CBModuleFilterf final : public CBuildModuleOf<CModuleFilterf> {
public:
    CBModuleFilterf();
};

class CBModuleFilterg final : public CBuildModuleOf<CModuleFilterg> {
public:
    CBModuleFilterg();
};

class CBModuleFilterb final : public CBuildModuleOf<CModuleFilterb> {
public:
    CBModuleFilterb();
};

class CBModuleFiltera final : public CBuildModuleOf<CModuleFiltera> {
public:
    CBModuleFiltera();
};

class CBModuleFilterc final : public CBuildModuleOf<CModuleFilterc> {
public:
    CBModuleFilterc();
};

class CBModuleFilterh final : public CBuildModuleOf<CModuleFilterh> {
public:
    CBModuleFilterh();
};

class CBModuleFormflt final : public CBuildModuleOf<CModuleFormflt> {
public:
    CBModuleFormflt();
};

class CBModuleVocoder final : public CBuildModuleOf<CModuleVocoder> {
public:
    CBModuleVocoder();
};

class CBModuleFilterBank final : public CBuildModuleOf<CModuleFilterBank> {
public:
    CBModuleFilterBank();
};

class CBModuleEqpeak final : public CBuildModuleOf<CModuleEqpeak> {
public:
    CBModuleEqpeak();
};

class CBModuleEqshelv final : public CBuildModuleOf<CModuleEqshelv> {
public:
    CBModuleEqshelv();
};

// Value texts of these types.
std::string ParamTextFilterType(uint8_t v);
std::string ParamTextFilterSlope(uint8_t v);
std::string ParamTextClassicSlope(uint8_t v);
std::string ParamTextVowel(uint8_t v);
std::string ParamTextEqBandwidth(uint8_t v);
std::string ParamTextShelving(uint8_t v);
