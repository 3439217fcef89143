#pragma once

namespace NSHarrowen {
class CBitmap32;
}

// The one off-screen picture every graph paints on before it is copied to
// its window; graphs draw one at a time on the main thread.
void InitGraphBitmap();
void FreeGraphBitmap();
// The surface, made on first use when the application did not make it.
NSHarrowen::CBitmap32& GetGraphBitmap();

inline constexpr int kGraphSurfaceWidth = 200;
inline constexpr int kGraphSurfaceHeight = 100;
