#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace NSHarrowen {

// A cursor as the programs keep it in a "CURS" resource: "TCUR", then the
// width, height and hot spot x and y as little-endian 16-bit words, then one
// byte a pixel, rows from the top.
struct CCursorImage {
    enum Pixel : uint8_t { kClear = 0, kBlack = 1, kWhite = 2, kInvert = 3 };

    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<uint8_t> pixels; // width x height, each a Pixel

    Pixel At(int x, int y) const { return static_cast<Pixel>(pixels[static_cast<size_t>(y * width + x)]); }
};

std::vector<uint8_t> EncodeCursor(const CCursorImage& cursor);
// Reads a cursor resource; a wrong tag, a size of 0 or above 256, a hot spot
// outside the cursor, missing or extra pixel bytes or a pixel value above 3
// throw XBadFormat.
CCursorImage DecodeCursor(std::span<const uint8_t> bytes);

} // namespace NSHarrowen
