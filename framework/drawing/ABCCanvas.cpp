#include "framework/drawing/ABCCanvas.h"

#include "framework/images/Bitmap.h"
#include "framework/images/ImageCache.h"
#include "framework/drawing/RegionHandle.h"
#include "platform/host/SystemMetrics.h"
#include <array>
#include <cstring>
#include <utility>

namespace NSHarrowen {

namespace {

// Sets an inverting or copying raster operation and restores copying after.
class CRasterOpScope {
public:
    CRasterOpScope(platform::DeviceContext* dc, bool invert) : dc_(invert ? dc : nullptr)
    {
        if (dc_ != nullptr)
            dc_->SetRasterOp(platform::RasterOp::Not);
    }
    ~CRasterOpScope()
    {
        if (dc_ != nullptr)
            dc_->SetRasterOp(platform::RasterOp::CopyPen);
    }
    CRasterOpScope(const CRasterOpScope&) = delete;
    CRasterOpScope& operator=(const CRasterOpScope&) = delete;

private:
    platform::DeviceContext* dc_;
};

} // namespace

void CABCCanvas::SetOrigin(int32_t x, int32_t y)
{
    GetDC()->SetWindowOrigin({static_cast<int16_t>(x), static_cast<int16_t>(y)});
}

CPoint CABCCanvas::GetOrigin() const
{
    const platform::IntPoint origin = GetDC()->WindowOrigin();
    return CPoint(origin.x, origin.y);
}

void CABCCanvas::FillRect(const CRect& rect, const CColor& color)
{
    state_->SetFillColor(color);
    GetDC()->FillRect(ToDeviceRect(rect));
}

void CABCCanvas::Outline(const CRect& rect, const CColor& color, bool invert)
{
    state_->SetPenColor(color);
    const int l = rect.left;
    const int t = rect.top;
    const int r = rect.right - 1;
    const int b = rect.bottom - 1;
    const std::array<platform::IntPoint, 5> points{{{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}};
    CRasterOpScope op(GetDC(), invert);
    GetDC()->Polyline(points);
}

void CABCCanvas::FrameRect(const CRect& rect, const CColor& color)
{
    Outline(rect, color, false);
}
void CABCCanvas::InvertFrameRect(const CRect& rect, const CColor& color)
{
    Outline(rect, color, true);
}

void CABCCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const CColor& color, bool invert)
{
    state_->SetPenColor(color);
    if (x1 == x2 || y1 == y2) {
        if (x1 > x2)
            std::swap(x1, x2);
        if (y1 > y2)
            std::swap(y1, y2);
        if (x1 == x2)
            ++y2; // so that the lower end is drawn too
        else
            ++x2;
    }
    CRasterOpScope op(GetDC(), invert);
    GetDC()->MoveTo(x1, y1);
    GetDC()->LineTo(x2, y2);
}

void CABCCanvas::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const CColor& color)
{
    Line(x1, y1, x2, y2, color, false);
}
void CABCCanvas::InvertLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const CColor& color)
{
    Line(x1, y1, x2, y2, color, true);
}
void CABCCanvas::DrawVerticalLine(int32_t x, int32_t y1, int32_t y2, const CColor& color)
{
    Line(x, y1, x, y2, color, false);
}
void CABCCanvas::DrawHorizontalLine(int32_t y, int32_t x1, int32_t x2, const CColor& color)
{
    Line(x1, y, x2, y, color, false);
}

void CABCCanvas::DrawString(int32_t x, int32_t y, const char* text, const CFontSpec& font, const CColor& color)
{
    state_->SetFont(font);
    state_->SetTextColor(color);
    GetDC()->TextOut(x, y - state_->GetTextMetrics().ascent, text);
}

void CABCCanvas::DrawTextInRect(const CRect& rect, const char* text, const CFontSpec& font, const CColor& color)
{
    state_->SetFont(font);
    state_->SetTextColor(color);
    platform::IntRect area = ToDeviceRect(rect);
    GetDC()->DrawText(area, text,
                      platform::TextFlags::kWordBreak | platform::TextFlags::kNoPrefix |
                          platform::TextFlags::kEditControl);
}

void CABCCanvas::DrawStringInRect(const CRect& rect, const char* text, const CFontSpec& font, const CColor& color)
{
    state_->SetFont(font);
    CRect band(0, 0, 0, state_->GetTextMetrics().height);
    band.CenterVerticallyIn(rect);
    DrawString(rect.left + 2, band.top + state_->GetTextMetrics().ascent, text, font, color);
}

void CABCCanvas::DrawStringCentered(const CRect& rect, const char* text, const CFontSpec& font, const CColor& color)
{
    // The width first: measuring selects the font whose metrics follow.
    const int16_t width = GetStringWidth(text, font);
    CRect box(0, 0, width, state_->GetTextMetrics().height);
    box.CenterIn(rect);
    DrawString(box.left, box.top + state_->GetTextMetrics().ascent, text, font, color);
}

int16_t CABCCanvas::GetFontHeight(const CFontSpec& font)
{
    state_->SetFont(font);
    return static_cast<int16_t>(state_->GetTextMetrics().height);
}

int16_t CABCCanvas::GetFontAscent(const CFontSpec& font)
{
    state_->SetFont(font);
    return static_cast<int16_t>(state_->GetTextMetrics().ascent);
}

int16_t CABCCanvas::GetStringWidth(const char* text, const CFontSpec& font)
{
    state_->SetFont(font);
    return static_cast<int16_t>(GetDC()->GetTextExtent(text).width);
}

void CABCCanvas::DrawBitmap(int32_t x, int32_t y, CABCBitmap& bitmap)
{
    bitmap.BlitTo(*this, x, y, 0, 0, bitmap.GetWidth(), bitmap.GetHeight());
}

void CABCCanvas::DrawBitmapPart(int32_t x, int32_t y, CABCBitmap& bitmap, int32_t sourceX, int32_t sourceY,
                                int32_t width, int32_t height)
{
    bitmap.BlitTo(*this, x, y, sourceX, sourceY, width, height);
}

void CABCCanvas::DrawImage(int32_t x, int32_t y, const CImageID& id)
{
    if (CABCBitmap* bitmap = GetImage(id))
        DrawBitmap(x, y, *bitmap);
}

void CABCCanvas::DrawImagePart(int32_t x, int32_t y, const CImageID& id, int32_t sourceX, int32_t sourceY,
                               int32_t width, int32_t height)
{
    if (CABCBitmap* bitmap = GetImage(id))
        DrawBitmapPart(x, y, *bitmap, sourceX, sourceY, width, height);
}

} // namespace NSHarrowen
