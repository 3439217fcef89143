#include "patch/area/OffscreenBitmap.h"

#include "framework/images/Bitmap.h"

#include <memory>

namespace {
std::unique_ptr<NSHarrowen::CABCBitmap> g_offscreen;
}

void CreateOffscreenBitmap(int32_t width, int32_t height)
{
    g_offscreen = std::make_unique<NSHarrowen::CBitmap32>(width, height);
}

void DestroyOffscreenBitmap()
{
    g_offscreen.reset();
}

NSHarrowen::CABCBitmap* GetOffscreenBitmap()
{
    return g_offscreen.get();
}
