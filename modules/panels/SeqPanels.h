#pragma once

#include "modules/panels/ModuleSeqc.h"
#include "modules/panels/ModuleStepSeq.h"

// The panels of the Seq tab: event, control and note sequencers.
// Each lays out its type's face from the type's item table; the builder of
// the same name (CBModuleX for CModuleX) creates it.
// The sequencers light their step lamps from the value the synthesizer reports (CModuleStepSeq);
// "NoteSeqB" (CModuleSeqc, its own file) also tells which notes its graph shows.

class CModuleEventb final : public CModuleStepSeq {
public:
    using CModuleStepSeq::CModuleStepSeq;
};

class CModuleSeqd final : public CModuleStepSeq {
public:
    using CModuleStepSeq::CModuleStepSeq;
};

class CModuleSeqb final : public CModuleStepSeq {
public:
    using CModuleStepSeq::CModuleStepSeq;
};
