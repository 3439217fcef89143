#pragma once

#include "platform/Geometry.h"
#include "platform/PixelBuffer.h"

namespace demo {

// Reads a rectangle of the real X screen; false without a display.
bool GrabScreen(const platform::Rect& rect, platform::PixelBuffer& out);
// How many pixels of the two pictures differ (a size difference counts all).
long CountDifferences(const platform::PixelBuffer& a, const platform::PixelBuffer& b);

} // namespace demo
