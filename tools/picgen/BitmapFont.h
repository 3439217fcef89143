#pragma once

#include "tools/picgen/Raster.h"

#include <cstdint>
#include <string_view>

namespace picgen {

// The two sizes of our bitmap font: the normal one, 7 pixels high, and a
// tiny one of capitals and digits, 5 pixels high, for the tightest places.
enum class FontSize { Normal, Tiny };

// A small proportional bitmap font of our own for the words printed on the
// pictures: the output is the same on every machine.
class CBitmapFont {
public:
    static constexpr int kHeight = 7;
    static constexpr int kTinyHeight = 5;

    static int Height(FontSize size) { return size == FontSize::Tiny ? kTinyHeight : kHeight; }
    // Width in pixels of a text, with one pixel between glyphs, at a whole
    // multiple of the font's size.
    static int TextWidth(std::string_view text, int scale = 1, FontSize size = FontSize::Normal);
    // Draws a text with its top-left corner at (x, y).
    static void Draw(CRaster& raster, int x, int y, std::string_view text, uint32_t colour, int scale = 1,
                     FontSize size = FontSize::Normal);
};

} // namespace picgen
