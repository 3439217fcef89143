#include "panels/cables/PixelTarget.h"

#include <cstddef>

using NSHarrowen::CRect;

CPixelTarget::CPixelTarget(uint8_t* pixels, int rowBytes, const CRect& frame, const CRect& update)
    : pixels_(pixels), rowBytes_(rowBytes), frame_(frame), clip_(update)
{
    if (pixels_ == nullptr || !clip_.Intersect(frame_)) {
        clip_.SetEmpty();
    }
}

uint32_t* CPixelTarget::At(int32_t x, int32_t y) const
{
    if (!clip_.Contains(x, y)) {
        return nullptr;
    }
    uint8_t* row = pixels_ + static_cast<std::ptrdiff_t>(y - frame_.top) * rowBytes_;
    return reinterpret_cast<uint32_t*>(row) + (x - frame_.left);
}

void CPixelTarget::Put(int32_t x, int32_t y, uint32_t pixel)
{
    if (uint32_t* p = At(x, y)) {
        *p = pixel;
    }
}

void CPixelTarget::Blend(int32_t x, int32_t y, uint32_t pixel, uint32_t keep)
{
    uint32_t* p = At(x, y);
    if (p == nullptr) {
        return;
    }
    const uint32_t old = *p;
    uint32_t mixed = 0;
    for (uint32_t shift = 0; shift < 24; shift += 8) {
        const uint32_t o = (old >> shift) & 0xFFU;
        const uint32_t n = (pixel >> shift) & 0xFFU;
        mixed |= ((o * keep + n * (255U - keep)) / 256U) << shift;
    }
    *p = mixed;
}

uint32_t CPixelTarget::Get(int32_t x, int32_t y) const
{
    const uint32_t* p = At(x, y);
    return p != nullptr ? *p : 0;
}
