#pragma once

#include "panels/BuildModule.h"

#include <memory>

// The builder of a type whose panels are of class TPanel: each type's
// builder derives from it with its panel class, so the pair stands in one
// line and no builder repeats the creation.
template <class TPanel> class CBuildModuleOf : public CBuildModule {
public:
    using CBuildModule::CBuildModule;

    std::unique_ptr<CModule> CreatePanel() override { return std::make_unique<TPanel>(*this); }
};
