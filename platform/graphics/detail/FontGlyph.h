#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// One rendered character: coverage 0..255 per pixel, placed relative to the
// pen position on the baseline.
struct GlyphImage {
    int left = 0; // columns right of the pen position
    int top = 0;  // rows above the baseline
    int width = 0;
    int rows = 0;
    int advance = 0;
    std::vector<uint8_t> coverage;
};

} // namespace platform
