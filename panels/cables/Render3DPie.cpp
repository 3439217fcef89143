#include "panels/cables/Render3DPie.h"

#include "panels/cables/CableShades.h"
#include "panels/cables/PixelTarget.h"

#include <array>
#include <span>

using NSHarrowen::CRect;

namespace {

enum Shade : uint8_t { kBright = 0, kMid = 1, kDark = 2 };

struct PiePixel {
    int8_t dx;
    int8_t dy;
    Shade shade;
    bool half; // blended half with the picture, else solid
};

constexpr std::array<PiePixel, 3> kPie12 = {{{0, -2, kMid, true}, {0, -1, kBright, false}, {1, -1, kMid, true}}};
constexpr std::array<PiePixel, 6> kPie45 = {{{0, 0, kBright, false},
                                             {1, 0, kMid, false},
                                             {2, 0, kDark, true},
                                             {0, 1, kMid, false},
                                             {1, 1, kDark, true},
                                             {0, 2, kDark, true}}};
constexpr std::array<PiePixel, 3> kPie78 = {{{-1, 0, kMid, true}, {0, 0, kBright, false}, {0, 1, kMid, true}}};

std::span<const PiePixel> PixelsOf(PieKind kind)
{
    switch (kind) {
    case PieKind::Pie12:
        return kPie12;
    case PieKind::Pie45:
        return kPie45;
    case PieKind::Pie78:
        return kPie78;
    }
    return {};
}

// The box of the pixels a corner writes (right and bottom exclusive).
CRect BoxOf(PieKind kind, int32_t x, int32_t y)
{
    CRect box(x, y, x, y);
    bool first = true;
    for (const PiePixel& p : PixelsOf(kind)) {
        const CRect pixel(x + p.dx, y + p.dy, x + p.dx + 1, y + p.dy + 1);
        if (first) {
            box = pixel;
            first = false;
        } else {
            box.Union(pixel);
        }
    }
    return box;
}

} // namespace

CRender3DPie::CRender3DPie(PieKind kind, int32_t x, int32_t y, uint32_t colour)
    : CRenderABC(colour), kind_(kind), x_(x), y_(y)
{
    SetRect(BoxOf(kind, x, y));
    SelectShades();
}

void CRender3DPie::SelectShades()
{
    shades_ = cableshades::PieShades(GetColour(), IsHighlighted());
}

void CRender3DPie::Draw(const CRect& update, CPixelTarget& target)
{
    CRect clip = update;
    if (!clip.Intersect(target.GetClip()) || !GetRect().IsInside(clip)) {
        return;
    }
    for (const PiePixel& p : PixelsOf(kind_)) {
        const uint32_t shade = shades_[p.shade];
        if (p.half) {
            target.Blend(x_ + p.dx, y_ + p.dy, shade, 128);
        } else {
            target.Put(x_ + p.dx, y_ + p.dy, shade);
        }
    }
}

void CRender3DPie::Move(int32_t dx, int32_t dy)
{
    CRenderABC::Move(dx, dy);
    x_ += dx;
    y_ += dy;
}

void CRender3DPie::SetHighlight(bool highlighted)
{
    CRenderABC::SetHighlight(highlighted);
    SelectShades();
}

void CRender3DPie::SetColour(uint32_t colour)
{
    CRenderABC::SetColour(colour);
    SelectShades();
}
