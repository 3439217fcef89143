#include "moduletypes/ModuleTypeFacts.h"

#include <algorithm>

namespace moduletypes {

const ModuleTypeFacts* FindModuleType(uint8_t typeId)
{
    const auto types = AllModuleTypes();
    const auto it = std::lower_bound(types.begin(), types.end(), typeId,
                                     [](const ModuleTypeFacts& facts, uint8_t id) { return facts.typeId < id; });
    return it != types.end() && it->typeId == typeId ? &*it : nullptr;
}

} // namespace moduletypes
