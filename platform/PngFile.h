#pragma once

#include "platform/PixelBuffer.h"

#include <string>

namespace platform {

// Writes the pixels as an 8-bit RGB PNG file; false when the file cannot be
// written.
bool SavePng(const PixelBuffer& pixels, const std::string& path);
// Reads an RGB or RGBA PNG file; false when it cannot be read.
bool LoadPng(const std::string& path, PixelBuffer& out);

} // namespace platform
