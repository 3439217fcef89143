#include "tools/picgen/Raster.h"

#include <algorithm>
#include <cmath>

namespace picgen {

uint32_t Mix(uint32_t c0, uint32_t c1, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto channel = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return Rgb(channel(Red(c0), Red(c1)), channel(Green(c0), Green(c1)), channel(Blue(c0), Blue(c1)));
}

uint32_t Shade(uint32_t c, double f)
{
    return f < 1.0 ? Mix(0, c, f) : Mix(c, 0xFFFFFF, f - 1.0);
}

CRaster::CRaster(int width, int height, uint32_t fill) : pixels_(width, height, fill) { }

void CRaster::Set(int x, int y, uint32_t c)
{
    if (pixels_.Contains(x, y))
        pixels_.Set(x, y, c);
}

void CRaster::Blend(int x, int y, uint32_t c, double a)
{
    if (pixels_.Contains(x, y) && a > 0.0)
        pixels_.Set(x, y, Mix(pixels_.At(x, y), c, a));
}

void CRaster::FillRect(int x, int y, int w, int h, uint32_t c)
{
    for (int j = std::max(y, 0); j < std::min(y + h, Height()); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, Width()); ++i)
            pixels_.Set(i, j, c);
}

void CRaster::FrameRect(int x, int y, int w, int h, uint32_t c)
{
    Bevel(x, y, w, h, c, c);
}

void CRaster::Bevel(int x, int y, int w, int h, uint32_t light, uint32_t dark)
{
    if (w <= 0 || h <= 0)
        return;
    HLine(x, x + w - 1, y, light);
    VLine(x, y, y + h - 1, light);
    HLine(x, x + w - 1, y + h - 1, dark);
    VLine(x + w - 1, y, y + h - 1, dark);
}

void CRaster::HLine(int x0, int x1, int y, uint32_t c)
{
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
        Set(x, y, c);
}

void CRaster::VLine(int x, int y0, int y1, uint32_t c)
{
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        Set(x, y, c);
}

namespace {

// Distance from p to the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax;
    const double dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

} // namespace

void CRaster::Line(double x0, double y0, double x1, double y1, double width, uint32_t c)
{
    const double half = width / 2.0;
    const int left = static_cast<int>(std::floor(std::min(x0, x1) - half - 1));
    const int right = static_cast<int>(std::ceil(std::max(x0, x1) + half + 1));
    const int top = static_cast<int>(std::floor(std::min(y0, y1) - half - 1));
    const int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + half + 1));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const double d = SegmentDistance(x, y, x0, y0, x1, y1);
            Blend(x, y, c, std::clamp(half + 0.5 - d, 0.0, 1.0));
        }
}

void CRaster::Disc(double cx, double cy, double r, uint32_t c)
{
    Ring(cx, cy, -1.0, r, c);
}

void CRaster::Ring(double cx, double cy, double r0, double r1, uint32_t c)
{
    for (int y = static_cast<int>(cy - r1 - 1); y <= static_cast<int>(cy + r1 + 1); ++y)
        for (int x = static_cast<int>(cx - r1 - 1); x <= static_cast<int>(cx + r1 + 1); ++x) {
            const double d = std::hypot(x - cx, y - cy);
            const double outer = std::clamp(r1 + 0.5 - d, 0.0, 1.0);
            const double inner = r0 < 0 ? 1.0 : std::clamp(d - r0 + 0.5, 0.0, 1.0);
            Blend(x, y, c, std::min(outer, inner));
        }
}

void CRaster::Blit(const CRaster& from, int sx, int sy, int w, int h, int dx, int dy)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (from.pixels_.Contains(sx + i, sy + j))
                Set(dx + i, dy + j, from.At(sx + i, sy + j));
}

} // namespace picgen
