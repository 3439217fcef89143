#include "tools/picgen/FixedPictures.h"
#include "tools/picgen/PictureEncoders.h"

#include <cmath>
#include <utility>
#include <vector>

namespace picgen {

namespace {

constexpr int kCursorSize = 32;

using Polygon = std::vector<std::pair<double, double>>;

bool Inside(const Polygon& poly, double x, double y)
{
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const auto [xi, yi] = poly[i];
        const auto [xj, yj] = poly[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

// Fills a shape white with a black outline: pixels of the shape next to the
// outside are black.
void Shape(CRaster& r, const Polygon& poly)
{
    const auto in = [&poly](int x, int y) { return Inside(poly, x + 0.5, y + 0.5); };
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x) {
            if (!in(x, y))
                continue;
            const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            r.Set(x, y, edge ? kCursorBlack : kCursorWhite);
        }
}

// The tip reaches past the hot spot's pixel so that the pixel is inked.
const Polygon kArrow = {{0, -0.6}, {0, 17}, {4, 13}, {7, 20}, {10, 19}, {7, 12}, {12.6, 12}};

CRaster Blank()
{
    return CRaster(kCursorSize, kCursorSize, kCursorClear);
}

void Plus(CRaster& r, int x, int y)
{
    Shape(r,
          {{x + 3.0, y + 0.0},
           {x + 6.0, y + 0.0},
           {x + 6.0, y + 3.0},
           {x + 9.0, y + 3.0},
           {x + 9.0, y + 6.0},
           {x + 6.0, y + 6.0},
           {x + 6.0, y + 9.0},
           {x + 3.0, y + 9.0},
           {x + 3.0, y + 6.0},
           {x + 0.0, y + 6.0},
           {x + 0.0, y + 3.0},
           {x + 3.0, y + 3.0}});
}

void Disc(CRaster& r, double cx, double cy, double radius, uint32_t fill)
{
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= radius)
                r.Set(x, y, d > radius - 1.2 ? kCursorBlack : fill);
        }
}

CRaster ArrowWith(int extra)
{
    CRaster r = Blank();
    Shape(r, kArrow);
    switch (extra) {
    case 156: // copy
        Plus(r, 14, 16);
        break;
    case 157: // connect: a plug with a plus
        Disc(r, 19, 20, 5, kCursorWhite);
        Plus(r, 22, 10);
        break;
    case 158: // drag: a box
        for (int i = 0; i < 10; ++i) {
            const uint32_t c = i % 2 ? kCursorWhite : kCursorBlack;
            r.Set(14 + i, 16, c);
            r.Set(14 + i, 25, c);
            r.Set(14, 16 + i, c);
            r.Set(23, 16 + i, c);
        }
        break;
    default: // nothing: a loose cable end
        Disc(r, 19, 21, 4, kCursorBlack);
        break;
    }
    return r;
}

CRaster Refused()
{
    CRaster r = Blank();
    Disc(r, 16, 16, 10, kCursorWhite);
    Disc(r, 16, 16, 7, kCursorClear);
    for (int i = -6; i <= 6; ++i)
        for (int w = -1; w <= 1; ++w)
            r.Set(16 + i + w, 16 + i, kCursorBlack);
    return r;
}

CRaster UpDown(bool bar)
{
    CRaster r = Blank();
    Shape(r, {{16, 2}, {22, 9}, {18, 9}, {18, 23}, {22, 23}, {16, 30}, {10, 23}, {14, 23}, {14, 9}, {10, 9}});
    if (bar)
        Shape(r, {{6, 14}, {26, 14}, {26, 18}, {6, 18}});
    return r;
}

CRaster Plug()
{
    CRaster r = Blank();
    Disc(r, 16, 16, 7, kCursorWhite);
    Disc(r, 16, 16, 3, kCursorBlack);
    return r;
}

CRaster Pencil()
{
    CRaster r = Blank();
    Shape(r, {{0, 32}, {2, 23}, {22, 4}, {28, 10}, {9, 30}});
    return r;
}

CRaster Crosshair()
{
    CRaster r = Blank();
    Shape(r,
          {{15, 2},
           {18, 2},
           {18, 15},
           {30, 15},
           {30, 18},
           {18, 18},
           {18, 30},
           {15, 30},
           {15, 18},
           {2, 18},
           {2, 15},
           {15, 15}});
    return r;
}

} // namespace

void AddCursors(std::vector<CPicture>& out)
{
    for (int id : {156, 157, 158, 159})
        out.push_back(MakeCursor(id, ArrowWith(id), 0, 0));
    out.push_back(MakeCursor(167, Refused(), 16, 16));
    out.push_back(MakeCursor(187, UpDown(true), 16, 16));
    out.push_back(MakeCursor(267, Plug(), 16, 16));
    out.push_back(MakeCursor(268, Pencil(), 2, 29));
    out.push_back(MakeCursor(272, UpDown(false), 16, 16));
    out.push_back(MakeCursor(283, Crosshair(), 16, 16));
}

} // namespace picgen
