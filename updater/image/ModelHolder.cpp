#include "updater/image/ModelHolder.h"

#include "updater/image/UpdateErrors.h"

#include <string>

namespace NSBootwren {

CModelHolder::CModelHolder(std::string_view modelName) : model_(CModelSpec::Create(modelName))
{
    if (!model_)
        throw XUnknownModel(std::string(modelName));
}

} // namespace NSBootwren
