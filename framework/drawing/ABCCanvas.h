#pragma once

#include "framework/drawing/Color.h"
#include "framework/drawing/DrawingPort.h"
#include "framework/drawing/FontSpec.h"
#include "framework/drawing/GdiState.h"
#include "framework/base/Point.h"
#include "framework/base/Rect.h"

#include <cstdint>

namespace NSHarrowen {

class CABCBitmap;
class CImageID;

// Something to draw on: a window (CCanvas) or an off-screen bitmap
// (CABCBitmap). Coordinates are 16-bit; colours and fonts are set on the
// drawing state only when they change.
class CABCCanvas {
public:
    CABCCanvas() = default;
    virtual ~CABCCanvas() = default;
    CABCCanvas(const CABCCanvas&) = delete;
    CABCCanvas& operator=(const CABCCanvas&) = delete;

    // A window canvas answers its window's current off-screen canvas (or
    // none); a bitmap answers itself.
    virtual CABCCanvas* GetOffscreenCanvas() = 0;
    // Bits per pixel.
    virtual int GetDepth() const = 0;
    virtual void Release() { }

    CGdiState* GetGdiState() const { return state_; }
    platform::DeviceContext* GetDC() const { return state_ != nullptr ? state_->GetDC() : nullptr; }

    // The logical point that maps to the top-left pixel.
    void SetOrigin(int32_t x, int32_t y);
    CPoint GetOrigin() const;

    void FillRect(const CRect& rect, const CColor& color);
    // A one-pixel outline inside the rectangle.
    void FrameRect(const CRect& rect, const CColor& color);
    // The same outline with every pixel inverted: drawing it twice restores them.
    void InvertFrameRect(const CRect& rect, const CColor& color);
    // Horizontal and vertical lines include both end points; other lines
    // leave out the second.
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const CColor& color);
    void InvertLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const CColor& color);
    void DrawVerticalLine(int32_t x, int32_t y1, int32_t y2, const CColor& color);
    void DrawHorizontalLine(int32_t y, int32_t x1, int32_t x2, const CColor& color);

    // y is the baseline.
    void DrawString(int32_t x, int32_t y, const char* text, const CFontSpec& font, const CColor& color);
    // Word-wrapped inside the rectangle.
    void DrawTextInRect(const CRect& rect, const char* text, const CFontSpec& font, const CColor& color);
    // One line, centred vertically, 2 pixels from the left edge.
    void DrawStringInRect(const CRect& rect, const char* text, const CFontSpec& font, const CColor& color);
    void DrawStringCentered(const CRect& rect, const char* text, const CFontSpec& font, const CColor& color);
    int16_t GetFontHeight(const CFontSpec& font);
    int16_t GetFontAscent(const CFontSpec& font);
    int16_t GetStringWidth(const char* text, const CFontSpec& font);

    void DrawBitmap(int32_t x, int32_t y, CABCBitmap& bitmap);
    void DrawBitmapPart(int32_t x, int32_t y, CABCBitmap& bitmap, int32_t sourceX, int32_t sourceY, int32_t width,
                        int32_t height);
    // Pictures by id, through GetImage; an unknown picture draws nothing.
    void DrawImage(int32_t x, int32_t y, const CImageID& id);
    void DrawImagePart(int32_t x, int32_t y, const CImageID& id, int32_t sourceX, int32_t sourceY, int32_t width,
                       int32_t height);

protected:
    CGdiState* state_ = nullptr;

private:
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const CColor& color, bool invert);
    void Outline(const CRect& rect, const CColor& color, bool invert);
};

} // namespace NSHarrowen
