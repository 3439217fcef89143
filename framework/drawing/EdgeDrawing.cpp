#include "framework/drawing/EdgeDrawing.h"

#include "platform/controls/ControlPaint.h"
#include "framework/drawing/ABCCanvas.h"

namespace NSHarrowen {

namespace {

void TwoColourFrame(CABCCanvas& canvas, const CRect& r, const CColor& first, const CColor& second)
{
    canvas.DrawHorizontalLine(r.top, r.left, r.right - 2, first);
    canvas.DrawVerticalLine(r.left, r.top, r.bottom - 2, first);
    canvas.DrawHorizontalLine(r.bottom - 1, r.left, r.right - 2, second);
    canvas.DrawVerticalLine(r.right - 1, r.bottom - 1, r.top, second);
}

void Edge(CABCCanvas& canvas, const CRect& r, unsigned kind, unsigned sides)
{
    if (platform::DeviceContext* dc = canvas.GetDC())
        platform::DrawEdge(*dc, {r.left, r.top, r.right, r.bottom}, kind, sides);
}

} // namespace

void DrawSunkenFrame(CABCCanvas& canvas, const CRect& rect)
{
    TwoColourFrame(canvas, rect, kGrey47, CColor::FromButtonHighlight());
}

void DrawRaisedFrame(CABCCanvas& canvas, const CRect& rect)
{
    TwoColourFrame(canvas, rect, CColor::FromButtonHighlight(), kGrey47);
}

void DrawCorneredFrame(CABCCanvas& canvas, const CRect& r, const CFrameColors& colors)
{
    canvas.DrawHorizontalLine(r.top, r.left + 1, r.right - 2, colors.top);
    canvas.DrawVerticalLine(r.left, r.top + 1, r.bottom - 2, colors.left);
    canvas.DrawHorizontalLine(r.bottom - 1, r.left + 1, r.right - 2, colors.bottom);
    canvas.DrawVerticalLine(r.right - 1, r.top + 1, r.bottom - 2, colors.right);
    for (const CPoint corner : {CPoint(r.left, r.top), CPoint(r.right - 1, r.top), CPoint(r.left, r.bottom - 1),
                                CPoint(r.right - 1, r.bottom - 1)})
        canvas.FillRect(CRect(corner.x, corner.y, corner.x + 1, corner.y + 1), colors.corner);
}

void DrawSunkenEdge(CABCCanvas& canvas, const CRect& rect)
{
    Edge(canvas, rect, platform::edge::Sunken, platform::edge::Rect);
}

void DrawRaisedEdge(CABCCanvas& canvas, const CRect& rect)
{
    Edge(canvas, rect, platform::edge::Raised, platform::edge::Rect | platform::edge::Soft);
}

void DrawEtchedVerticalLine(CABCCanvas& canvas, int16_t x, int16_t top, int16_t bottom)
{
    Edge(canvas, CRect(x, top, x + 1, bottom), platform::edge::Etched, platform::edge::Left);
}

void DrawEtchedFrame(CABCCanvas& canvas, const CRect& rect)
{
    Edge(canvas, rect, platform::edge::Etched, platform::edge::Rect);
}

} // namespace NSHarrowen
