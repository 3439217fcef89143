#include "synth/protocol/ModuleTypeInfo.h"

#include <iterator>

namespace {
const CModuleTypeInfoInterface* gModuleTypeInfo = nullptr;
} // namespace

void SetModuleTypeInfo(const CModuleTypeInfoInterface* info)
{
    gModuleTypeInfo = info;
}

const CModuleTypeInfoInterface* GetModuleTypeInfo()
{
    return gModuleTypeInfo;
}

uint8_t CableColourOfSignalKind(uint8_t kind)
{
    constexpr uint8_t kColours[] = {2, 0, 1, 3};
    return kind < std::size(kColours) ? kColours[kind] : 0;
}
