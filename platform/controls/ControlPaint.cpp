#include "platform/controls/ControlPaint.h"

#include "platform/graphics/DrawingObjects.h"
#include "platform/graphics/SystemColors.h"

namespace platform {

namespace {

constexpr Rgb kFace = 0xC0C0C0;
constexpr Rgb kLight = 0xC0C0C0;
constexpr Rgb kHighlight = 0xFFFFFF;
constexpr Rgb kShadow = 0x808080;
constexpr Rgb kDarkShadow = 0x404040;

void HLine(DeviceContext& dc, int x0, int x1, int y, Rgb color)
{
    for (int x = x0; x < x1; ++x)
        dc.SetPixel(x, y, color);
}

void VLine(DeviceContext& dc, int x, int y0, int y1, Rgb color)
{
    for (int y = y0; y < y1; ++y)
        dc.SetPixel(x, y, color);
}

// One ring of a bevel: top-left colour, bottom-right colour.
void Ring(DeviceContext& dc, const IntRect& r, Rgb topLeft, Rgb bottomRight, unsigned sides)
{
    if (r.IsEmpty())
        return;
    if (sides & edge::Top)
        HLine(dc, r.left, r.right - 1, r.top, topLeft);
    if (sides & edge::Left)
        VLine(dc, r.left, r.top, r.bottom - 1, topLeft);
    if (sides & edge::Bottom)
        HLine(dc, r.left, r.right, r.bottom - 1, bottomRight);
    if (sides & edge::Right)
        VLine(dc, r.right - 1, r.top, r.bottom, bottomRight);
}

} // namespace

Rgb SystemRgb(int index)
{
    const uint32_t c = GetSystemColor(static_cast<SystemColor>(index));
    return MakeRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void Fill(DeviceContext& dc, const IntRect& rect, Rgb color)
{
    dc.FillRect(rect, *Brush::Create(color));
}

void FrameOutline(DeviceContext& dc, const IntRect& rect, Rgb color)
{
    Ring(dc, rect, color, color, edge::Rect);
}

void DottedFocusFrame(DeviceContext& dc, const IntRect& r)
{
    for (int x = r.left; x < r.right; x += 2) {
        dc.SetPixel(x, r.top, 0);
        dc.SetPixel(x, r.bottom - 1, 0);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        dc.SetPixel(r.left, y, 0);
        dc.SetPixel(r.right - 1, y, 0);
    }
}

void DrawEdge(DeviceContext& dc, const IntRect& rect, unsigned kind, unsigned sides)
{
    const bool soft = (sides & edge::Soft) != 0;
    IntRect r = rect;
    if (kind & (edge::RaisedOuter | edge::SunkenOuter)) {
        if (kind & edge::RaisedOuter)
            Ring(dc, r, soft ? kHighlight : kLight, kDarkShadow, sides);
        else
            Ring(dc, r, kShadow, kHighlight, sides);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (kind & edge::RaisedInner)
        Ring(dc, r, soft ? kLight : kHighlight, kShadow, sides);
    else if (kind & edge::SunkenInner)
        Ring(dc, r, kDarkShadow, kLight, sides);
}

void DrawArrow(DeviceContext& dc, const IntRect& r, ArrowDirection direction, Rgb color)
{
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    constexpr int kSize = 4; // rows of the triangle
    for (int i = 0; i < kSize; ++i) {
        switch (direction) {
        case ArrowDirection::Up:
            HLine(dc, cx - i, cx + i + 1, cy - 2 + i, color);
            break;
        case ArrowDirection::Down:
            HLine(dc, cx - i, cx + i + 1, cy + 1 - i, color);
            break;
        case ArrowDirection::Left:
            VLine(dc, cx - 2 + i, cy - i, cy + i + 1, color);
            break;
        case ArrowDirection::Right:
            VLine(dc, cx + 1 - i, cy - i, cy + i + 1, color);
            break;
        }
    }
}

void DrawCheckMark(DeviceContext& dc, int x, int y, Rgb color)
{
    // Seven columns, three pixels high each, falling then rising.
    static constexpr int kTop[7] = {4, 5, 6, 5, 4, 3, 2};
    for (int i = 0; i < 7; ++i)
        VLine(dc, x + 3 + i, y + kTop[i], y + kTop[i] + 3, color);
}

void DrawRadioBox(DeviceContext& dc, int x, int y, bool checked, bool enabled)
{
    // A 12 x 12 circle: rows given as half-widths of the inner disc.
    static constexpr int kHalf[12] = {2, 4, 5, 5, 6, 6, 6, 6, 5, 5, 4, 2};
    for (int row = 0; row < 12; ++row) {
        const int h = kHalf[row];
        HLine(dc, x + 6 - h, x + 6 + h, y + row, enabled ? kHighlight : kFace);
        const Rgb left = row < 6 ? kShadow : kHighlight;
        dc.SetPixel(x + 6 - h, y + row, row < 10 ? kShadow : left);
        dc.SetPixel(x + 6 + h - 1, y + row, row < 2 ? kShadow : kHighlight);
    }
    HLine(dc, x + 4, x + 8, y, kShadow);
    HLine(dc, x + 4, x + 8, y + 11, kHighlight);
    if (checked)
        for (int row = 4; row < 8; ++row)
            HLine(dc, x + (row == 4 || row == 7 ? 5 : 4), x + (row == 4 || row == 7 ? 7 : 8), y + row, 0);
}

void DrawButtonFace(DeviceContext& dc, const IntRect& rect, bool pushed, bool isDefault)
{
    IntRect r = rect;
    Fill(dc, r, kFace);
    if (isDefault) {
        FrameOutline(dc, r, 0);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (pushed) {
        FrameOutline(dc, r, kShadow);
        return;
    }
    DrawEdge(dc, r, edge::Raised, edge::Rect);
}

const std::shared_ptr<const Font>& ControlFont()
{
    static const std::shared_ptr<const Font> font = Font::Create({"MS Sans Serif", 13, false, false, false});
    return font;
}

void DrawControlText(DeviceContext& dc, IntRect rect, std::string_view text, unsigned flags, bool enabled, Rgb color)
{
    dc.SelectFont(ControlFont());
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    flags |= TextFlags::kNoPrefix;
    if (!enabled) {
        IntRect shifted = rect.Offset(1, 1);
        dc.SetTextColor(kHighlight);
        dc.DrawText(shifted, text, flags);
        color = kShadow;
    }
    dc.SetTextColor(color);
    dc.DrawText(rect, text, flags);
}

ControlPaint::ControlPaint(WindowHandle window) : window_(window), paint_(BeginPaint(window))
{
    if (paint_.surface.pixels == nullptr)
        return;
    dc_ = std::make_unique<DeviceContext>(*paint_.surface.pixels);
    const Point o = paint_.surface.clientOrigin;
    dc_->SetWindowOrigin({-o.x, -o.y});
    client_ = paint_.surface.clientRect;
    Region shown = paint_.surface.visible;
    shown.Offset(o.x, o.y);
    dc_->SetSystemClip(shown);
}

ControlPaint::~ControlPaint()
{
    dc_.reset();
    SurfaceChanged(window_);
    EndPaint(window_, paint_);
}

} // namespace platform
