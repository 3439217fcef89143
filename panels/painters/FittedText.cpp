#include "panels/painters/FittedText.h"

#include "framework/base/Utf8.h"
#include "framework/drawing/ABCCanvas.h"

#include <algorithm>
#include <string_view>

namespace {

// A condensed face of the same height as the boxes' own; where the machine
// lacks it the font system gives another face and the smaller sizes still
// help.
constexpr const char* kNarrowFace = "Liberation Sans Narrow";
// Below this the digits no longer read apart.
constexpr uint8_t kSmallestSize = 9;

} // namespace

CFittedText CFittedText::Fit(NSHarrowen::CABCCanvas& canvas, const std::string& text, const NSHarrowen::CFontSpec& font,
                             int width)
{
    CFittedText fitted{font, text, canvas.GetStringWidth(text.c_str(), font)};
    if (fitted.width < width) {
        return fitted;
    }
    for (int size = font.size; size >= std::min<int>(font.size, kSmallestSize); --size) {
        fitted.font =
            NSHarrowen::CFontSpec(kNarrowFace, static_cast<uint8_t>(size), font.bold, font.italic, font.underline);
        fitted.width = canvas.GetStringWidth(text.c_str(), fitted.font);
        if (fitted.width < width) {
            return fitted;
        }
    }
    while (!fitted.text.empty() && fitted.width >= width) {
        const std::string_view shorter(fitted.text.data(), fitted.text.size() - 1);
        fitted.text.resize(NSHarrowen::Utf8CompleteLength(shorter));
        fitted.width = canvas.GetStringWidth(fitted.text.c_str(), fitted.font);
    }
    return fitted;
}
