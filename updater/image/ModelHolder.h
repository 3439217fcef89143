#pragma once

#include "updater/image/ModelSpec.h"

#include <memory>
#include <string_view>

namespace NSBootwren {

// Owns the model an image names; a name of neither model throws
// XUnknownModel with that name.
class CModelHolder {
public:
    explicit CModelHolder(std::string_view modelName);
    const CModelSpec& Get() const { return *model_; }

private:
    std::unique_ptr<CModelSpec> model_;
};

} // namespace NSBootwren
