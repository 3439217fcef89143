#include "updater/image/ModelSpec.h"

#include "updater/image/KandrelModel.h"
#include "updater/image/PebixKandrel.h"

namespace NSBootwren {

std::unique_ptr<CModelSpec> CModelSpec::Create(std::string_view modelName)
{
    if (modelName == CKandrel::kImageName)
        return std::make_unique<CKandrel>();
    if (modelName == CPebixKandrel::kImageName)
        return std::make_unique<CPebixKandrel>();
    return nullptr;
}

std::string CModelSpec::MakeWarningText(const std::string& os, uint32_t current, uint32_t next)
{
    const std::string start = "WARNING! You are about to update your " + os;
    const std::string rest = " Make sure you have saved them in your computer BEFORE you proceed with this update.";
    // 3.0 changed the patch format: patches made before it no longer load.
    if (((next >> 8) & 0xFFFF) == 0x0300 && current < next)
        return start + ". The patches that are stored in the synth memory will not work any more!" + rest;
    if (current < next)
        return start + ". The patches that are stored in the synth memory may not work any more!" + rest;
    return start +
        " with an earlier version than the one installed! The patches that are stored in the synth "
        "memory may not work any more!" +
        rest;
}

} // namespace NSBootwren
