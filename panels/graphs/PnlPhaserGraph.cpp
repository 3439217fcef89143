#include "panels/graphs/PnlPhaserGraph.h"

#include <algorithm>

namespace {
struct NotchConstants {
    float c1;
    float c2;
    float c3;
};
constexpr NotchConstants kNotches[] = {{10.0f, 6.0f, 0.0f}, {9.0f, 5.0f, 0.0f},  {8.0f, 4.0f, -2.0f},
                                       {7.0f, 3.0f, -5.0f}, {6.0f, 2.0f, -7.0f}, {5.0f, 1.0f, -10.0f}};
} // namespace

CPnlPhaserGraph::CPnlPhaserGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlGraphABC(parent, x, y, 3)
{
    SetItemSize(64, 34);
}

void CPnlPhaserGraph::ReadValues()
{
    peaks_ = std::min<uint8_t>(Value(2), 5);
    spread_ = Value(0);
    feedback_ = Value(1);
}

void CPnlPhaserGraph::DrawGraph(float W, float H)
{
    const NotchConstants& k = kNotches[std::min<uint8_t>(peaks_, 5)];
    const int p = std::min<uint8_t>(peaks_, 5);
    const int d = spread_;
    const int v = feedback_;
    const float n = static_cast<float>(2 * p + 2);
    const float g = static_cast<float>(d) * k.c1 * 0.007874016f;
    const float h = static_cast<float>(d) * k.c2 * 0.007874016f;
    const float x0 = static_cast<float>(Round((59 - n * g) * 0.5f));
    const float q3 = static_cast<float>(25 - (20 * d) / 127);
    const float yc = (H - 2) * 0.5f;
    // The tip moves from a peak at the top (0) to a notch (76); above, the
    // line between the notches rises.
    int Dv = 30;
    int Pv = -5;
    int Qv = (10 * (76 - v)) / 50;
    if (v < 77) {
        Dv = (30 * v) / 76;
        Pv = 5 - (10 * v) / 76;
        Qv = 0;
    }
    const int16_t axis = Round(yc);
    MoveTo(0, axis);
    LineToGrid(Trunc(W), axis);
    MoveTo(Trunc(k.c3), axis);
    const GraphPoint leadIn[] = {{Round(q3 + k.c3), axis},
                                 {Round(x0 - 3), Round(static_cast<float>(Qv) * 0.5f + yc)},
                                 {Round(x0), Round(static_cast<float>(Qv) + yc)}};
    DrawOutlineBezierFromPen(leadIn, 3);
    for (int i = 0; i <= p; ++i) {
        const float tip = static_cast<float>(2 * i + 1) * g + x0;
        const GraphPoint notch[] = {
            {Round(static_cast<float>(2 * i) * g + x0 + h), axis},
            {Round(tip), Round(static_cast<float>(Pv + Dv))},
            {Round(tip), Round(static_cast<float>(Dv))},
            {Round(tip), Round(static_cast<float>(Pv + Dv))},
            {Round(static_cast<float>(2 * i + 2) * g + x0 - h), axis},
            {Round(static_cast<float>(2 * i + 2) * g + x0), Round(static_cast<float>(Qv) + yc)}};
        DrawOutlineBezierFromPen(notch, 6);
    }
    const GraphPoint leadOut[] = {{Round(W - 2 - x0 + 3), Round(static_cast<float>(Qv) * 0.3333333432674408f + yc)},
                                  {Round(W - 2 - k.c3 - q3), axis},
                                  {Round(W - 2 - k.c3), axis}};
    DrawOutlineBezierFromPen(leadOut, 3);
    FillBelowOutline(Trunc(W - 2), Trunc(H - 2));
}
