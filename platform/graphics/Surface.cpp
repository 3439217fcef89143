#include "platform/graphics/Surface.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace platform {

int BitsPerPixel(PixelLayout layout)
{
    switch (layout) {
    case PixelLayout::Mono1:
        return 1;
    case PixelLayout::Indexed8:
        return 8;
    case PixelLayout::Rgb555:
        return 16;
    case PixelLayout::Bgr24:
        return 24;
    case PixelLayout::Xrgb32:
        return 32;
    }
    return 32;
}

int RowBytesFor(PixelLayout layout, int width)
{
    const long bits = static_cast<long>(width) * BitsPerPixel(layout);
    return static_cast<int>(((bits + 31) / 32) * 4);
}

Bitmap::Bitmap(int width, int height, PixelLayout layout)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0), layout_(layout),
      rowBytes_(RowBytesFor(layout, width_))
{
    if (layout_ == PixelLayout::Xrgb32)
        buffer_.Resize(width_, height_);
    else
        bytes_.assign(static_cast<size_t>(rowBytes_) * static_cast<size_t>(height_), 0);
}

uint8_t* Bitmap::Bits()
{
    return layout_ == PixelLayout::Xrgb32 ? reinterpret_cast<uint8_t*>(buffer_.Data()) : bytes_.data();
}

const uint8_t* Bitmap::Bits() const
{
    return layout_ == PixelLayout::Xrgb32 ? reinterpret_cast<const uint8_t*>(buffer_.Data()) : bytes_.data();
}

namespace {

uint16_t To555(Rgb c)
{
    return static_cast<uint16_t>(((RedOf(c) >> 3) << 10) | ((GreenOf(c) >> 3) << 5) | (BlueOf(c) >> 3));
}

Rgb From555(uint16_t v)
{
    auto expand = [](unsigned five) { return static_cast<uint8_t>((five << 3) | (five >> 2)); };
    return MakeRgb(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
}

} // namespace

uint8_t* Surface::RowBytes(int y) const
{
    if (buffer_)
        return reinterpret_cast<uint8_t*>(buffer_->Row(y));
    return bitmap_->RowBits(y);
}

uint32_t* Surface::Row32(int y)
{
    return Layout() == PixelLayout::Xrgb32 ? reinterpret_cast<uint32_t*>(RowBytes(y)) : nullptr;
}

const uint32_t* Surface::Row32(int y) const
{
    return Layout() == PixelLayout::Xrgb32 ? reinterpret_cast<const uint32_t*>(RowBytes(y)) : nullptr;
}

uint32_t Surface::NearestIndex(Rgb color)
{
    if (color == lastColor_)
        return lastIndex_;
    const ColorTable& table = bitmap_->Colors();
    const int count = bitmap_->Layout() == PixelLayout::Mono1 ? 2 : 256;
    long best = -1;
    uint32_t bestIndex = 0;
    for (int i = 0; i < count; ++i) {
        const long dr = long(RedOf(table[i])) - RedOf(color);
        const long dg = long(GreenOf(table[i])) - GreenOf(color);
        const long db = long(BlueOf(table[i])) - BlueOf(color);
        const long d = dr * dr + dg * dg + db * db;
        if (best < 0 || d < best) {
            best = d;
            bestIndex = static_cast<uint32_t>(i);
        }
    }
    lastColor_ = color;
    lastIndex_ = bestIndex;
    return bestIndex;
}

namespace {

// Four bytes a load, the fourth (the next pixel's) masked off; the last
// pixel byte by byte, as its fourth byte may lie past the pixels.
void WidenBgr24Plain(const uint8_t* p, int count, uint32_t* out)
{
    int i = 0;
    for (; i + 1 < count; ++i, p += 3) {
        uint32_t pixel = 0;
        std::memcpy(&pixel, p, 4);
        out[i] = pixel & 0xFFFFFFu;
    }
    if (i < count)
        out[i] = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
}

#if defined(__x86_64__) || defined(__i386__)
// Four pixels a shuffle: 16 bytes loaded, 12 of them spread into four
// words whose top bytes are zero. The 16 bytes reach into the sixth pixel,
// so the last pixels go the plain way.
__attribute__((target("ssse3"))) void WidenBgr24Shuffled(const uint8_t* p, int count, uint32_t* out)
{
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    int i = 0;
    for (; i + 6 <= count; i += 4, p += 12) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_shuffle_epi8(bytes, spread));
    }
    WidenBgr24Plain(p, count - i, out + i);
}

using WidenFunction = void (*)(const uint8_t*, int, uint32_t*);

WidenFunction ChooseWiden()
{
    __builtin_cpu_init(); // may run before the processor's features are read
    return __builtin_cpu_supports("ssse3") ? WidenBgr24Shuffled : WidenBgr24Plain;
}

const WidenFunction widenBgr24 = ChooseWiden();
#else
const auto widenBgr24 = WidenBgr24Plain;
#endif

} // namespace

void Surface::ReadBgr24(int y, int x, int count, uint32_t* out) const
{
    widenBgr24(RowBytes(y) + static_cast<ptrdiff_t>(3) * x, count, out);
}

Rgb Surface::Get(int x, int y) const
{
    const uint8_t* row = RowBytes(y);
    switch (Layout()) {
    case PixelLayout::Mono1:
        return bitmap_->Colors()[(row[x >> 3] >> (7 - (x & 7))) & 1];
    case PixelLayout::Indexed8:
        return bitmap_->Colors()[row[x]];
    case PixelLayout::Rgb555:
        return From555(static_cast<uint16_t>(row[2 * x] | (row[2 * x + 1] << 8)));
    case PixelLayout::Bgr24:
        return MakeRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case PixelLayout::Xrgb32:
        return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
    }
    return 0;
}

void Surface::Set(int x, int y, Rgb color)
{
    uint8_t* row = RowBytes(y);
    switch (Layout()) {
    case PixelLayout::Mono1: {
        const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        if (NearestIndex(color) != 0)
            row[x >> 3] |= bit;
        else
            row[x >> 3] &= static_cast<uint8_t>(~bit);
        break;
    }
    case PixelLayout::Indexed8:
        row[x] = static_cast<uint8_t>(NearestIndex(color));
        break;
    case PixelLayout::Rgb555: {
        const uint16_t v = To555(color);
        row[2 * x] = static_cast<uint8_t>(v);
        row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
        break;
    }
    case PixelLayout::Bgr24:
        row[3 * x] = BlueOf(color);
        row[3 * x + 1] = GreenOf(color);
        row[3 * x + 2] = RedOf(color);
        break;
    case PixelLayout::Xrgb32:
        reinterpret_cast<uint32_t*>(row)[x] = color & 0xFFFFFF;
        break;
    }
}

void Surface::FillSpan(int y, int x0, int x1, Rgb color)
{
    if (uint32_t* row = Row32(y)) {
        std::fill(row + x0, row + x1, color & 0xFFFFFF);
        return;
    }
    for (int x = x0; x < x1; ++x)
        Set(x, y, color);
}

// Inverting flips every bit of the stored pixel value, as a raster operation
// on the memory does: indices of indexed layouts, all 15 colour bits of 5-5-5.
void Surface::InvertSpan(int y, int x0, int x1)
{
    uint8_t* row = RowBytes(y);
    for (int x = x0; x < x1; ++x) {
        switch (Layout()) {
        case PixelLayout::Mono1:
            row[x >> 3] ^= static_cast<uint8_t>(0x80 >> (x & 7));
            break;
        case PixelLayout::Indexed8:
            row[x] ^= 0xFF;
            break;
        case PixelLayout::Rgb555:
            row[2 * x] ^= 0xFF;
            row[2 * x + 1] ^= 0x7F;
            break;
        case PixelLayout::Bgr24:
            row[3 * x] ^= 0xFF;
            row[3 * x + 1] ^= 0xFF;
            row[3 * x + 2] ^= 0xFF;
            break;
        case PixelLayout::Xrgb32:
            reinterpret_cast<uint32_t*>(row)[x] ^= 0xFFFFFF;
            break;
        }
    }
}

} // namespace platform
