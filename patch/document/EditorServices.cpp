#include "patch/document/EditorServicesInterface.h"

namespace {
CEditorServicesInterface* g_services = nullptr;
}

void SetEditorServices(CEditorServicesInterface* services)
{
    g_services = services;
}

CEditorServicesInterface* GetEditorServices()
{
    return g_services;
}
