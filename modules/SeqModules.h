#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <memory>
#include <string>

// The module types of the Seq tab: event, control and note sequencers.

class CBModuleEventb final : public CBuildModule {
public:
    CBModuleEventb();
    std::unique_ptr<CModule> CreatePanel() override;
};

class CBModuleSeqd final : public CBuildModule {
public:
    CBModuleSeqd();
    std::unique_ptr<CModule> CreatePanel() override;
};

class CBModuleSeqb final : public CBuildModule {
public:
    CBModuleSeqb();
    std::unique_ptr<CModule> CreatePanel() override;
};

class CBModuleSeqc final : public CBuildModule {
public:
    CBModuleSeqc();
    std::unique_ptr<CModule> CreatePanel() override;
};
