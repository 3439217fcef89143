#pragma once

#include "platform/base/Geometry.h"
#include "platform/graphics/PixelBuffer.h"

namespace demo {

// Reads a rectangle of the real X screen; false without a display.
bool GrabScreen(const platform::Rect& rect, platform::PixelBuffer& out);
// How many pixels of the two pictures differ (a size difference counts all).
long CountDifferences(const platform::PixelBuffer& a, const platform::PixelBuffer& b);

} // namespace demo
