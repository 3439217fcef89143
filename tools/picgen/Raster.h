#pragma once

#include "platform/graphics/PixelBuffer.h"

#include <cstdint>

namespace picgen {

// Colours are 0x00RRGGBB, as in the platform's pixel buffers.
constexpr uint32_t Rgb(int r, int g, int b)
{
    return (static_cast<uint32_t>(r & 0xFF) << 16) | (static_cast<uint32_t>(g & 0xFF) << 8) |
        static_cast<uint32_t>(b & 0xFF);
}
constexpr int Red(uint32_t c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int Green(uint32_t c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int Blue(uint32_t c)
{
    return static_cast<int>(c & 0xFF);
}

// c1 weighted by t (0..1) over c0.
uint32_t Mix(uint32_t c0, uint32_t c1, double t);
// The colour scaled toward black (f < 1) or white (f > 1).
uint32_t Shade(uint32_t c, double f);

// A picture being drawn: a pixel buffer with the few drawing operations the
// generated artwork needs. Everything clips to the picture.
class CRaster {
public:
    CRaster(int width, int height, uint32_t fill);

    int Width() const { return pixels_.Width(); }
    int Height() const { return pixels_.Height(); }
    const platform::PixelBuffer& Pixels() const { return pixels_; }
    platform::PixelBuffer& Pixels() { return pixels_; }

    uint32_t At(int x, int y) const { return pixels_.At(x, y); }
    void Set(int x, int y, uint32_t c);
    // Lays c over the pixel with coverage a (0..1).
    void Blend(int x, int y, uint32_t c, double a);

    void FillRect(int x, int y, int w, int h, uint32_t c);
    void FrameRect(int x, int y, int w, int h, uint32_t c);
    // A one-pixel bevel: light top and left, dark bottom and right.
    void Bevel(int x, int y, int w, int h, uint32_t light, uint32_t dark);
    void HLine(int x0, int x1, int y, uint32_t c);
    void VLine(int x, int y0, int y1, uint32_t c);
    // An anti-aliased line of the given width between two points (pixel centres).
    void Line(double x0, double y0, double x1, double y1, double width, uint32_t c);
    // An anti-aliased disc, and a ring between two radii.
    void Disc(double cx, double cy, double r, uint32_t c);
    void Ring(double cx, double cy, double r0, double r1, uint32_t c);
    // Copies a w x h part of another raster.
    void Blit(const CRaster& from, int sx, int sy, int w, int h, int dx, int dy);

private:
    platform::PixelBuffer pixels_;
};

} // namespace picgen
