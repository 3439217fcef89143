#include "panels/graphs/GraphSurface.h"

#include "framework/images/Bitmap.h"

#include <memory>

namespace {
std::unique_ptr<NSHarrowen::CBitmap32> surface;
}

void InitGraphBitmap()
{
    if (!surface) {
        surface = std::make_unique<NSHarrowen::CBitmap32>(kGraphSurfaceWidth, kGraphSurfaceHeight);
    }
}

void FreeGraphBitmap()
{
    surface.reset();
}

NSHarrowen::CBitmap32& GetGraphBitmap()
{
    InitGraphBitmap();
    return *surface;
}
