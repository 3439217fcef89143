#include "panels/graphs/GraphPenHook.h"

namespace {
CGraphPenHook* installed = nullptr;
}

void CGraphPenHook::Install(CGraphPenHook* hook)
{
    installed = hook;
}

CGraphPenHook* CGraphPenHook::Current()
{
    return installed;
}
