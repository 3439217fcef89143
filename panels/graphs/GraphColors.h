#pragma once

#include "framework/drawing/Color.h"

// The colours every graph paints with.
namespace GraphColors {
inline constexpr NSHarrowen::CColor kBackground(0x0000, 0x8000, 0x8000);
inline constexpr NSHarrowen::CColor kCurve(0x0000, 0xFF00, 0x0000);
inline constexpr NSHarrowen::CColor kGrid(0xC000, 0xC000, 0xC000);
inline constexpr NSHarrowen::CColor kOutline(0x0000, 0x0000, 0x0000);
inline constexpr NSHarrowen::CColor kFillBoundary(0x4B00, 0x6300, 0x6300);
inline constexpr NSHarrowen::CColor kFill(0xC000, 0xDC00, 0xC000);
// The sustain and hold stretches of the envelope graphs.
inline constexpr NSHarrowen::CColor kHold(0xC800, 0xC800, 0x0000);
} // namespace GraphColors
