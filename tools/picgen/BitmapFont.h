#pragma once

#include "tools/picgen/Raster.h"

#include <cstdint>
#include <string_view>

namespace picgen {

// A small proportional bitmap font of our own, 7 pixels high, for the words
// printed on the pictures: the output is the same on every machine.
class CBitmapFont {
public:
    static constexpr int kHeight = 7;

    // Width in pixels of a text, with one pixel between glyphs, at a whole
    // multiple of the font's size.
    static int TextWidth(std::string_view text, int scale = 1);
    // Draws a text with its top-left corner at (x, y).
    static void Draw(CRaster& raster, int x, int y, std::string_view text, uint32_t colour, int scale = 1);
};

} // namespace picgen
