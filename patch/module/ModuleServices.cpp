#include "patch/module/ModuleServicesInterface.h"

#include "patch/PatchError.h"

namespace {
const CModuleServicesInterface* g_services = nullptr;
}

void SetModuleServices(const CModuleServicesInterface* services)
{
    g_services = services;
}

const CModuleServicesInterface* GetModuleServices()
{
    return g_services;
}

const CModuleServicesInterface& RequireModuleServices()
{
    if (g_services == nullptr) {
        throw XPOutOfRange(PatchErrorCode::kModuleTypeDoesNotExist);
    }
    return *g_services;
}
