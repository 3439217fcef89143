#pragma once

#include "framework/drawing/Canvas.h"
#include "framework/drawing/ABCCanvas.h"
#include "framework/images/Palette.h"
#include "framework/base/Rect.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Surface.h"

#include <cstdint>
#include <memory>

namespace NSHarrowen {

class CPixelFormat;

// An off-screen picture that is also a canvas. Pixels are top-down, each row
// padded to a multiple of 4 bytes: depth 8 indexes the colour table, 16 is
// 5-5-5 with red highest, 24 is blue, green, red, 32 is blue, green, red, 0.
class CABCBitmap : public CABCCanvas {
public:
    ~CABCBitmap() override;

    CABCCanvas* GetOffscreenCanvas() override { return this; }
    int GetDepth() const override;
    void Release() override;
    // Copies a part of the picture onto the canvas at (x, y).
    virtual void BlitTo(CABCCanvas& target, int32_t x, int32_t y, int32_t sourceX, int32_t sourceY, int32_t width,
                        int32_t height);

    // Pixels may be written directly between these two calls.
    uint8_t* LockPixels();
    void UnlockPixels(uint8_t*& pixels);
    int GetRowBytes() const;
    int GetLockCount() const { return lockCount_; }

    int16_t GetWidth() const { return width_; }
    int16_t GetHeight() const { return height_; }
    // The origin and the size.
    CRect GetFrame() const;

protected:
    CABCBitmap() = default;
    // Throws XOutOfMemory when the surface cannot be made.
    void CreateSurface(int32_t width, int32_t height, int depth, const platform::ColorTable* colors);

private:
    std::unique_ptr<platform::Bitmap> bits_;
    std::unique_ptr<platform::DeviceContext> dc_;
    std::unique_ptr<CGdiState> ownState_;
    int16_t width_ = 0;
    int16_t height_ = 0;
    int lockCount_ = 0;
};

// Holds a bitmap's pixels locked for direct writing for its lifetime.
class CPixelLock {
public:
    explicit CPixelLock(CABCBitmap& bitmap) : bitmap_(bitmap), pixels_(bitmap.LockPixels()) { }
    ~CPixelLock() { bitmap_.UnlockPixels(pixels_); }
    CPixelLock(const CPixelLock&) = delete;
    CPixelLock& operator=(const CPixelLock&) = delete;

    uint8_t* Pixels() const { return pixels_; }
    uint8_t* Row(int y) const { return pixels_ + static_cast<size_t>(y) * static_cast<size_t>(bitmap_.GetRowBytes()); }
    int RowBytes() const { return bitmap_.GetRowBytes(); }

private:
    CABCBitmap& bitmap_;
    uint8_t* pixels_;
};

class CBitmap8 : public CABCBitmap {
public:
    // The colour table is the palette's 256 entries.
    CBitmap8(int32_t width, int32_t height, const CPalette& palette);
    // Laid out like the standard palette with the given palette's first 236 colours between.
    const CPalette& GetOwnPalette() const { return ownPalette_; }

private:
    CPalette ownPalette_;
};

class CBitmap16 : public CABCBitmap {
public:
    CBitmap16(int32_t width, int32_t height);
};

class CBitmap24 : public CABCBitmap {
public:
    CBitmap24(int32_t width, int32_t height);
};

class CBitmap32 : public CABCBitmap {
public:
    CBitmap32(int32_t width, int32_t height);
};

// A 16, 24 or 32-bit bitmap; none for any other depth.
std::unique_ptr<CABCBitmap> CreateBitmapOfDepth(int32_t width, int32_t height, int depth);

} // namespace NSHarrowen
