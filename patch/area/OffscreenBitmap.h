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

// Each tile is drawn from the background up, so the bitmap's pixels mean
// nothing between paints: once the areas have rested from drawing for
// kOffscreenRestMs, its memory (1.8 MB) goes back to the system until the
// next paint. The areas note each paint; the editor's idle step releases.
inline constexpr uint64_t kOffscreenRestMs = 250;
// Before a paint whose tiles are rows high: the pages given back are taken
// again in one go, not one fault at a time.
void ReclaimOffscreenBitmap(int32_t rows);
void NoteOffscreenBitmapDrawn();
void ReleaseRestingOffscreenBitmap();
