#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <string>

// The module types of the Seq tab: event, control and note sequencers.

class CBModuleEventb final : public CBuildModule {
public:
    CBModuleEventb();
};

class CBModuleSeqd final : public CBuildModule {
public:
    CBModuleSeqd();
};

class CBModuleSeqb final : public CBuildModule {
public:
    CBModuleSeqb();
};

class CBModuleSeqc final : public CBuildModule {
public:
    CBModuleSeqc();
};
