#pragma once

#include "platform/graphics/PixelBuffer.h"

#include <cstdint>
#include <vector>

namespace picgen {

// JPEG through libjpeg's compressor, at high quality and with full-size
// colour (4:4:4), so that one-pixel lines and flat greys survive.
std::vector<uint8_t> EncodeJpeg(const platform::PixelBuffer& pixels);

// A 24-bit uncompressed "BM" file, rows bottom-up.
std::vector<uint8_t> EncodeBmp(const platform::PixelBuffer& pixels);

// Cursors are drawn with these four values and stored in the framework's
// cursor resource form (framework/images/CursorImage.h).
enum CursorPixel : uint32_t {
    kCursorClear = 0x01000000,
    kCursorBlack = 0x00000000,
    kCursorWhite = 0x00FFFFFF,
    kCursorInvert = 0x02000000,
};
std::vector<uint8_t> EncodeCursor(const platform::PixelBuffer& pixels, int hotX, int hotY);

} // namespace picgen
