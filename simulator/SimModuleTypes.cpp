#include "simulator/SimModuleTypes.h"

namespace sim {

unsigned BitsForMax(unsigned max)
{
    unsigned bits = 1;
    while (bits < 7 && (max >> bits) != 0)
        ++bits;
    return bits;
}

uint8_t CSimTypeTable::ParamCount(uint8_t typeId) const
{
    const auto it = types_.find(typeId);
    return it == types_.end() ? 0 : static_cast<uint8_t>(it->second.size());
}

uint8_t CSimTypeTable::ParamMax(uint8_t typeId, uint8_t paramIndex) const
{
    const auto it = types_.find(typeId);
    if (it == types_.end() || paramIndex >= it->second.size())
        return 0;
    return it->second[paramIndex];
}

} // namespace sim
