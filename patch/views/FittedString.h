#pragma once

#include "framework/drawing/Canvas.h"
#include "framework/drawing/ABCCanvas.h"

#include <functional>
#include <string>

// Labels that must fit a fixed width, such as a module's name in its title
// bar: a text that is too wide is shortened before an ellipsis of two dots,
// which stands before a trailing number so that the number stays readable.

// The text as it fits `width` pixels, measured by `measure`.
std::string FitString(const std::string& text, int width, const std::function<int(const std::string&)>& measure);

// In black, 2 pixels in from the left and centred vertically.
void DrawFittedString(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& rect, const std::string& text,
                      const NSHarrowen::CFontSpec& font);
// In black, centred both ways.
void DrawFittedStringCentered(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& rect, const std::string& text,
                              const NSHarrowen::CFontSpec& font);
