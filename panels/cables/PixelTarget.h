#pragma once

#include "framework/base/Rect.h"

#include <cstdint>

namespace NSHarrowen {
class CABCBitmap;
}

// The locked pixels of a 32-bit picture in area coordinates, with the
// rectangle that may be written (the update rectangle within the picture).
// Every write outside it is dropped, so no piece writes past a row.
class CPixelTarget {
public:
    CPixelTarget(uint8_t* pixels, int rowBytes, const NSHarrowen::CRect& frame, const NSHarrowen::CRect& update);

    const NSHarrowen::CRect& GetClip() const { return clip_; }
    bool IsEmpty() const { return clip_.IsEmpty(); }

    void Put(int32_t x, int32_t y, uint32_t pixel);
    // new = (old * keep + pixel * (255 - keep)) / 256 per channel.
    void Blend(int32_t x, int32_t y, uint32_t pixel, uint32_t keep);
    uint32_t Get(int32_t x, int32_t y) const;

private:
    uint32_t* At(int32_t x, int32_t y) const;

    uint8_t* pixels_;
    int rowBytes_;
    NSHarrowen::CRect frame_;
    NSHarrowen::CRect clip_;
};
