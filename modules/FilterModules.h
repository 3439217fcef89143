#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <string>

// The module types of the Filter tab: filters, vocal filter, vocoder, filter bank and equalisers.

class CBModuleFilterf final : public CBuildModule {
public:
    CBModuleFilterf();
};

class CBModuleFilterg final : public CBuildModule {
public:
    CBModuleFilterg();
};

class CBModuleFilterb final : public CBuildModule {
public:
    CBModuleFilterb();
};

class CBModuleFiltera final : public CBuildModule {
public:
    CBModuleFiltera();
};

class CBModuleFilterc final : public CBuildModule {
public:
    CBModuleFilterc();
};

class CBModuleFilterh final : public CBuildModule {
public:
    CBModuleFilterh();
};

class CBModuleFormflt final : public CBuildModule {
public:
    CBModuleFormflt();
};

class CBModuleVocoder final : public CBuildModule {
public:
    CBModuleVocoder();
};

class CBModuleFilterBank final : public CBuildModule {
public:
    CBModuleFilterBank();
};

class CBModuleEqpeak final : public CBuildModule {
public:
    CBModuleEqpeak();
};

class CBModuleEqshelv final : public CBuildModule {
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
