#pragma once

#include <cstdint>

namespace NSHarrowen {
class CABCBitmap;
}

// The bitmap the voice areas draw through, tile by tile, so that a tile
// reaches the window whole: four grid columns of 256 by thirty grid rows of
// 15 pixels. The editor creates it at start-up and deletes it at exit.
inline constexpr int32_t kOffscreenWidth = 1024;
inline constexpr int32_t kOffscreenHeight = 450;

void CreateOffscreenBitmap(int32_t width = kOffscreenWidth, int32_t height = kOffscreenHeight);
void DestroyOffscreenBitmap();
// Null when none was created.
NSHarrowen::CABCBitmap* GetOffscreenBitmap();
