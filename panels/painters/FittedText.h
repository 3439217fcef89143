#pragma once

#include "framework/drawing/FontSpec.h"

#include <string>

namespace NSHarrowen {
class CABCCanvas;
}

// A text and the font it is drawn in so that it fits a width: the given font
// when the text fits in it; else the narrow face at that size and then at
// smaller ones; where even the smallest is too wide, the text cut after its
// last whole character that fits (never inside a character, so no glyph
// shows half and reads as another letter).
struct CFittedText {
    NSHarrowen::CFontSpec font;
    std::string text;
    int16_t width = 0;

    // A text fits when it is narrower than the width.
    static CFittedText Fit(NSHarrowen::CABCCanvas& canvas, const std::string& text, const NSHarrowen::CFontSpec& font,
                           int width);
};
