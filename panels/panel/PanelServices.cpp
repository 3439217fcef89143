#include "panels/panel/PanelServicesInterface.h"

namespace {
CPanelServicesInterface* installed = nullptr;
}

void SetPanelServices(CPanelServicesInterface* services)
{
    installed = services;
}

CPanelServicesInterface* GetPanelServices()
{
    return installed;
}
