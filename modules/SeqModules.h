#pragma once

#include "modules/panels/SeqPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <memory>
#include <string>

// The module types of the Seq tab: event, control and note sequencers.

class CBModuleEventb final : public CBuildModuleOf<CModuleEventb> {
public:
    CBModuleEventb();
};

class CBModuleSeqd final : public CBuildModuleOf<CModuleSeqd> {
public:
    CBModuleSeqd();
};

class CBModuleSeqb final : public CBuildModuleOf<CModuleSeqb> {
public:
    CBModuleSeqb();
};

class CBModuleSeqc final : public CBuildModuleOf<CModuleSeqc> {
public:
    CBModuleSeqc();
};
