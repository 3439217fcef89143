#pragma once

#include "framework/images/Bitmap.h"
#include "framework/files/Media.h"
#include "framework/images/PixelFormat.h"

#include <cstdint>
#include <memory>

namespace NSHarrowen {

// Decodes a JPEG picture into a new bitmap of the format's depth: an 8-bit
// bitmap quantised onto the format's palette with Floyd-Steinberg dithering,
// or a 16, 24 or 32-bit one. A stream cut short ends where the data ends and
// still gives a whole picture. A picture over 32,767 pixels in either
// direction, or over 2,097,152 in all, is unsupported. Failures throw XJPegBadFormat,
// XJPegUnsupportedFormat, XJPegOutOfMemory, XJPegInternalError or XBase.
std::unique_ptr<CABCBitmap> ReadJPEG(const CPixelFormat& format, CMedia& media);
std::unique_ptr<CABCBitmap> ReadJPEGPaletted(const CPixelFormat& format, CMedia& media);
std::unique_ptr<CABCBitmap> ReadJPEGTrueColor(const CPixelFormat& format, CMedia& media);

// Decodes the program's "JPEG" resource of that number. A missing resource
// throws XBase.
std::unique_ptr<CABCBitmap> ReadJPEGResource(const CPixelFormat& format, int32_t resource);

} // namespace NSHarrowen
