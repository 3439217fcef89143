#pragma once

#include "platform/graphics/PixelBuffer.h"
#include "platform/graphics/Surface.h"

#include <string>

namespace platform {

// Saves pixels as an 8-bit RGB PNG file so that drawing can be looked at.
// Throws std::runtime_error when the file cannot be written.
void WritePng(const std::string& path, const PixelBuffer& pixels);
void WritePng(const std::string& path, const Surface& surface);

} // namespace platform
