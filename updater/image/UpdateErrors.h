#pragma once

#include "framework/base/Exceptions.h"

#include <string>

namespace NSBootwren {

// An update image that breaks its format.
class XCorruptUpdateFile : public NSHarrowen::XBase { };

// An update image for a model this updater does not serve; carries the name.
class XUnknownModel : public NSHarrowen::XBase {
public:
    explicit XUnknownModel(std::string modelName) : modelName_(std::move(modelName)) { }
    const std::string& GetModelName() const { return modelName_; }

private:
    std::string modelName_;
};

} // namespace NSBootwren
