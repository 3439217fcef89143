#pragma once

#include "framework/images/Bitmap.h"
#include "framework/files/Media.h"

#include <memory>

namespace NSHarrowen {

// Reads an uncompressed 24-bit bottom-up BMP (file header first) into a new
// 32-bit bitmap. Anything else, or pixel data that does not fit in the media,
// throws XBadFormat.
std::unique_ptr<CBitmap32> ReadBMP(CMedia& media);

} // namespace NSHarrowen
