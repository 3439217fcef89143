#pragma once

#include <cstdint>

// The pixels of the cable colours, built once for every renderer. Pixels are
// 32-bit: blue, green, red, 0 from the lowest byte.
namespace cableshades {

constexpr uint8_t kColourCount = 7;
constexpr int kRampLength = 512;

// The thin pixel of a colour (black outside 0..6).
uint32_t ThinPixel(uint32_t colour, bool highlighted);
// The shading ramp of a 3D piece, kRampLength pixels, dark at both ends
// and brightest in the middle (colour 0's outside 1..6).
const uint32_t* Ramp(uint32_t colour, bool highlighted);
// The bright, mid and dark shades of a 3D corner.
const uint32_t* PieShades(uint32_t colour, bool highlighted);
// The brightness of ramp entry i, 0..255.
float RampBrightness(int i);

} // namespace cableshades
