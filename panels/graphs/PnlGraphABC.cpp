#include "panels/graphs/PnlGraphABC.h"

#include "framework/drawing/Canvas.h"
#include "framework/images/Bitmap.h"
#include "framework/windows/ABCWindow.h"
#include "panels/graphs/GraphColors.h"
#include "panels/graphs/GraphMath.h"
#include "panels/graphs/GraphPenHook.h"
#include "panels/graphs/GraphSurface.h"

#include <algorithm>
#include <cmath>
#include <utility>

using NSHarrowen::CColor;
using NSHarrowen::CRect;

int16_t Round(float v)
{
    return static_cast<int16_t>(RoundToInt(v));
}

CPnlGraphABC::CPnlGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t params)
    : CPnlCustom(parent, x, y, params), frame_(*this)
{ }

NSHarrowen::CBitmap32& CPnlGraphABC::Surface() const
{
    return GetGraphBitmap();
}

uint8_t CPnlGraphABC::Value(uint8_t entry) const
{
    return entry < GetParams().size() ? GetParamValue(entry) : 0;
}

void CPnlGraphABC::UpdateDisplay()
{
    if (!IsDirty()) {
        return;
    }
    ReadValues();
    SetDirty(false);
    InvalidateFrame(true);
}

void CPnlGraphABC::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    const CRect frame = GetFrame();
    if (window == nullptr || frame.IsEmpty()) {
        return;
    }
    frame_.Draw(frame);
    CRect inner = frame;
    inner.Deflate(1);
    const int inset = SurfaceInset();
    NSHarrowen::CBitmap32& surface = Surface();
    surface.FillRect(CRect(0, 0, inner.Width() + inset, inner.Height() + inset), GraphColors::kBackground);
    DrawGraph(static_cast<float>(frame.Width()), static_cast<float>(frame.Height()));
    NSHarrowen::CCanvas canvas(window);
    canvas.DrawBitmapPart(inner.left, inner.top, surface, inset, inset, inner.Width(), inner.Height());
}

void CPnlGraphABC::MoveTo(int16_t x, int16_t y)
{
    penX_ = x;
    penY_ = y;
    if (CGraphPenHook* hook = CGraphPenHook::Current()) {
        hook->PenMoved(x, y);
    }
}

void CPnlGraphABC::LineTo(int16_t x, int16_t y, const CColor& colour)
{
    Surface().DrawLine(penX_, penY_, x, y, colour);
    penX_ = x;
    penY_ = y;
    if (CGraphPenHook* hook = CGraphPenHook::Current()) {
        hook->LineDrawn(x, y, colour);
    }
}

void CPnlGraphABC::LineToCurve(int16_t x, int16_t y)
{
    LineTo(x, y, GraphColors::kCurve);
}
void CPnlGraphABC::LineToOutline(int16_t x, int16_t y)
{
    LineTo(x, y, GraphColors::kOutline);
}
void CPnlGraphABC::LineToGrid(int16_t x, int16_t y)
{
    LineTo(x, y, GraphColors::kGrid);
}

void CPnlGraphABC::DrawBezierSegment(const GraphPoint* points, const CColor& colour)
{
    MoveTo(points[0].x, points[0].y);
    // t = 0.1 .. 0.9 in single precision: the test t + 0.1 < 1 after the
    // ninth point ends the loop.
    for (float t = 0.1f;; t += 0.1f) {
        float x = 0.0f;
        float y = 0.0f;
        for (uint8_t i = 0; i < 4; ++i) {
            const float weight = Bernstein3(t, i);
            x += static_cast<float>(points[i].x) * weight;
            y += static_cast<float>(points[i].y) * weight;
        }
        LineTo(Round(x), Round(y), colour);
        if (!(t + 0.1f < 1.0f)) {
            break;
        }
    }
    LineTo(points[3].x, points[3].y, colour);
}

void CPnlGraphABC::DrawBezierPathFromPen(const GraphPoint* points, int count, const CColor& colour)
{
    const int segments = count / 3;
    for (int s = 0; s < segments; ++s) {
        if (s == 0) {
            const GraphPoint first[4] = {GetPen(), points[0], points[1], points[2]};
            DrawBezierSegment(first, colour);
        } else {
            DrawBezierSegment(points + 3 * s - 1, colour);
        }
    }
}

void CPnlGraphABC::DrawBezierPath(const GraphPoint* points, int count, const CColor& colour)
{
    // 3k + 1 points make k segments; a shorter list never reads past its end.
    const int segments = count > 0 ? (count - 1) / 3 : 0;
    for (int s = 0; s < segments; ++s) {
        DrawBezierSegment(points + 3 * s, colour);
    }
}

void CPnlGraphABC::DrawCurveBezierFromPen(const GraphPoint* points, int count)
{
    DrawBezierPathFromPen(points, count, GraphColors::kCurve);
}

void CPnlGraphABC::DrawOutlineBezierFromPen(const GraphPoint* points, int count)
{
    DrawBezierPathFromPen(points, count, GraphColors::kOutline);
}

void CPnlGraphABC::DrawOutlineBezierPath(const GraphPoint* points, int count)
{
    DrawBezierPath(points, count, GraphColors::kOutline);
}

namespace {

constexpr double kPi = 3.141592653;
constexpr double kTwoPi = 6.283185306;

double AngleFrom(double cx, double cy, double px, double py)
{
    if (px > cx) {
        return std::atan((py - cy) / (px - cx));
    }
    if (px < cx) {
        return std::atan((py - cy) / (px - cx)) + kPi;
    }
    return py <= cy ? -kPi / 2 : kPi / 2;
}

} // namespace

void CPnlGraphABC::DrawArc(double left, double firstY, double right, double secondY, double startX, double startY,
                           double endX, double endY, double toX, double toY)
{
    const double cx = left + (right - left) * 0.5;
    const double cy = secondY + (firstY - secondY) * 0.5;
    const int rx = std::abs(static_cast<int>(right - left)) / 2;
    const int ry = std::abs(static_cast<int>(firstY - secondY)) / 2;
    double a0 = AngleFrom(cx, cy, startX, startY);
    double a1 = AngleFrom(cx, cy, endX, endY);
    double ap = AngleFrom(cx, cy, penX_, penY_);
    double az = AngleFrom(cx, cy, toX, toY);
    if (a0 < 0 || a1 < 0) {
        a0 += kTwoPi;
        a1 += kTwoPi;
    }
    if (a0 < a1) {
        a0 += kTwoPi;
        std::swap(ap, az);
    }
    const bool fromTo = az < ap;
    const GraphPoint saved = GetPen();
    if (fromTo) {
        MoveTo(Trunc(toX), Trunc(toY));
    }
    // Twenty whole steps from a1 toward a0; an accumulated angle could make
    // a twenty-first.
    const double step = (a0 - a1) * 0.05;
    for (int i = 0; i < 20 && a1 + step * i < a0; ++i) {
        const double a = a1 + step * i;
        LineToCurve(Trunc(std::cos(a) * rx + cx + 0.5), Trunc(std::sin(a) * ry + cy + 0.5));
    }
    if (fromTo) {
        LineToCurve(saved.x, saved.y);
        MoveTo(Trunc(toX), Trunc(toY));
    } else {
        LineToCurve(Trunc(toX), Trunc(toY));
    }
}

void CPnlGraphABC::FillBelowOutline(int width, int height)
{
    NSHarrowen::CBitmap32& surface = Surface();
    width = std::clamp(width, 0, static_cast<int>(surface.GetWidth()));
    height = std::clamp(height, 0, static_cast<int>(surface.GetHeight()));
    const auto high = [](uint16_t channel) { return static_cast<uint8_t>(channel >> 8); };
    const auto matches = [&](const uint8_t* p, const CColor& c) {
        return p[0] == high(c.blue) && p[1] == high(c.green) && p[2] == high(c.red);
    };
    const CColor& fill = GraphColors::kFill;
    NSHarrowen::CPixelLock lock(surface);
    for (int x = 0; x < width; ++x) {
        bool below = false;
        for (int y = 0; y < height; ++y) {
            uint8_t* p = lock.Row(y) + 4 * x;
            if (matches(p, GraphColors::kOutline) || matches(p, GraphColors::kFillBoundary)) {
                below = true;
            } else if (below) {
                p[0] = high(fill.blue);
                p[1] = high(fill.green);
                p[2] = high(fill.red);
            }
        }
    }
}
