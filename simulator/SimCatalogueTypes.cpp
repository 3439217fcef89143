#include "simulator/SimCatalogueTypes.h"

#include "modules/ModuleCatalogueContent.h"

namespace sim {

namespace {

class CCatalogueTypes final : public CSimModuleTypes {
public:
    bool HasType(uint8_t typeId) const override { return GetSharedModuleCatalogue().HasType(typeId); }
    uint8_t ParamCount(uint8_t typeId) const override { return GetSharedModuleCatalogue().GetParamCount(typeId); }
    uint8_t ParamMax(uint8_t typeId, uint8_t paramIndex) const override
    {
        return GetSharedModuleCatalogue().GetParamMax(typeId, paramIndex);
    }
};

} // namespace

const CSimModuleTypes& CatalogueTypes()
{
    static const CCatalogueTypes types;
    return types;
}

} // namespace sim
