#include "synth/ModuleTypeInfo.h"

namespace {
const CModuleTypeInfoInterface* gModuleTypeInfo = nullptr;
} // namespace

void SetModuleTypeInfo(const CModuleTypeInfoInterface* info) { gModuleTypeInfo = info; }

const CModuleTypeInfoInterface* GetModuleTypeInfo() { return gModuleTypeInfo; }
