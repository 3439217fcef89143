#include "patch/area/OffscreenBitmap.h"

#include "framework/images/Bitmap.h"

#include "platform/system/Clock.h"

#include <memory>

namespace {
std::unique_ptr<NSHarrowen::CABCBitmap> g_offscreen;
bool g_holdsPixels = false;
uint64_t g_lastDrawn = 0;
} // namespace

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

void ReclaimOffscreenBitmap(int32_t rows)
{
    if (g_offscreen && !g_holdsPixels)
        g_offscreen->ReclaimRows(rows);
}

void NoteOffscreenBitmapDrawn()
{
    g_holdsPixels = true;
    g_lastDrawn = platform::NowMilliseconds();
}

void ReleaseRestingOffscreenBitmap()
{
    if (g_offscreen && g_holdsPixels && platform::NowMilliseconds() - g_lastDrawn >= kOffscreenRestMs) {
        g_offscreen->DiscardPixels();
        g_holdsPixels = false;
    }
}
