#pragma once

#include "platform/base/GraphicsTypes.h"
#include "platform/graphics/PixelBuffer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// How a surface stores its pixels. All are top-down with rows padded to a
// multiple of 4 bytes (PixelBuffer rows are whole 32-bit words already).
enum class PixelLayout {
    Mono1,    // 1 bit, colour-table index, most significant bit first
    Indexed8, // colour-table index
    Rgb555,   // 16 bits little-endian: top bit 0, then 5 bits each of red, green, blue
    Bgr24,    // blue, green, red bytes
    Xrgb32,   // blue, green, red, 0 bytes: the PixelBuffer layout
};

int BitsPerPixel(PixelLayout layout);
// Bytes of one row of width pixels, padded to 4.
int RowBytesFor(PixelLayout layout, int width);

using ColorTable = std::array<Rgb, 256>;

// An owned block of pixels of any layout, with the colour table the indexed
// layouts need. Xrgb32 pixels live in a PixelBuffer.
class Bitmap {
public:
    Bitmap(int width, int height, PixelLayout layout);

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelLayout Layout() const { return layout_; }
    int Depth() const { return BitsPerPixel(layout_); }
    int RowBytes() const { return rowBytes_; }
    uint8_t* Bits();
    const uint8_t* Bits() const;
    uint8_t* RowBits(int y) { return Bits() + static_cast<size_t>(y) * static_cast<size_t>(rowBytes_); }

    ColorTable& Colors() { return colors_; }
    const ColorTable& Colors() const { return colors_; }

private:
    int width_;
    int height_;
    PixelLayout layout_;
    int rowBytes_;
    PixelBuffer buffer_;
    std::vector<uint8_t> bytes_;
    ColorTable colors_{};
};

// A view of pixels that drawing reads and writes: a PixelBuffer (re-read on
// every access, so a window's buffer may be resized under it) or a Bitmap.
class Surface {
public:
    explicit Surface(PixelBuffer& buffer) : buffer_(&buffer) { }
    explicit Surface(Bitmap& bitmap) : bitmap_(&bitmap) { }

    int Width() const { return buffer_ ? buffer_->Width() : bitmap_->Width(); }
    int Height() const { return buffer_ ? buffer_->Height() : bitmap_->Height(); }
    PixelLayout Layout() const { return buffer_ ? PixelLayout::Xrgb32 : bitmap_->Layout(); }
    IntRect Bounds() const { return {0, 0, Width(), Height()}; }

    Rgb Get(int x, int y) const;
    void Set(int x, int y, Rgb color);
    // Spans are clipped by the caller: 0 <= x0 <= x1 <= width.
    void FillSpan(int y, int x0, int x1, Rgb color);
    void InvertSpan(int y, int x0, int x1);
    // 24-bit surfaces only: count pixels of row y from x on, as 32-bit pixels.
    void ReadBgr24(int y, int x, int count, uint32_t* out) const;
    // Direct access to 32-bit rows, or null for other layouts.
    uint32_t* Row32(int y);
    const uint32_t* Row32(int y) const;

private:
    uint8_t* RowBytes(int y) const;
    uint32_t NearestIndex(Rgb color);

    PixelBuffer* buffer_ = nullptr;
    Bitmap* bitmap_ = nullptr;
    // Last colour mapped to an index, so solid fills search the table once.
    Rgb lastColor_ = 0xFFFFFFFF;
    uint32_t lastIndex_ = 0;
};

} // namespace platform
