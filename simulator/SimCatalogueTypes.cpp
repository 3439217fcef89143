#include "simulator/SimCatalogueTypes.h"

#include "moduletypes/ModuleTypeFacts.h"

namespace sim {

namespace {

class CCatalogueTypes final : public CSimModuleTypes {
public:
    bool HasType(uint8_t typeId) const override { return moduletypes::FindModuleType(typeId) != nullptr; }
    uint8_t ParamCount(uint8_t typeId) const override
    {
        const auto* facts = moduletypes::FindModuleType(typeId);
        return facts ? facts->paramCount : 0;
    }
    uint8_t ParamMax(uint8_t typeId, uint8_t paramIndex) const override
    {
        const auto* facts = moduletypes::FindModuleType(typeId);
        return facts && paramIndex < facts->paramCount ? facts->paramMax[paramIndex] : 0;
    }
};

} // namespace

const CSimModuleTypes& CatalogueTypes()
{
    static const CCatalogueTypes types;
    return types;
}

} // namespace sim
