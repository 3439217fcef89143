#include "platform/graphics/DrawingObjects.h"

namespace platform {

namespace {
std::atomic<long> gPens{0};
std::atomic<long> gBrushes{0};
} // namespace

std::shared_ptr<const Pen> Pen::Create(Rgb color, int width)
{
    ++gPens;
    return std::shared_ptr<const Pen>(new Pen(color & 0xFFFFFF, width < 1 ? 1 : width));
}

long Pen::CreatedCount()
{
    return gPens.load();
}

std::shared_ptr<const Brush> Brush::Create(Rgb color)
{
    ++gBrushes;
    return std::shared_ptr<const Brush>(new Brush(color & 0xFFFFFF));
}

long Brush::CreatedCount()
{
    return gBrushes.load();
}

} // namespace platform
