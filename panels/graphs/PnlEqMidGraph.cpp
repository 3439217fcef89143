#include "panels/graphs/PnlEqMidGraph.h"

CPnlEqMidGraph::CPnlEqMidGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlGraphABC(parent, x, y, 3)
{
    SetItemSize(56, 31);
}

void CPnlEqMidGraph::ReadValues()
{
    frequency_ = Value(0);
    gain_ = Value(1);
    bandwidth_ = Value(2);
}

void CPnlEqMidGraph::DrawGraph(float W, float H)
{
    const int16_t yc = Round((H - 2) * 0.5f);
    const float gy = (H - 2) * 0.00703125f;
    const float kx = (W - 6) * 0.0078125f;
    MoveTo(0, yc);
    LineToGrid(Trunc(W), yc);
    const float f = frequency_;
    const float b = bandwidth_;
    const int xl = Round(f * kx + 2 - b * kx * 0.7f - 4);
    const int xc = Round(f * kx + 2);
    const int xr = Round(b * kx * 0.7f + f * kx + 2 + 4);
    const int16_t yp = Round(static_cast<float>(yc) - static_cast<float>(gain_ - 64) * gy);
    const auto ml = static_cast<int16_t>(xl + (xc - xl) / 2);
    const auto mr = static_cast<int16_t>(xc + (xr - xc) / 2);
    MoveTo(-1, yc);
    LineToOutline(static_cast<int16_t>(xl), yc);
    const GraphPoint bell[] = {{ml, yc}, {ml, yc}, {static_cast<int16_t>(xc), yp},
                               {mr, yc}, {mr, yc}, {static_cast<int16_t>(xr), yc}};
    DrawOutlineBezierFromPen(bell, 6);
    LineToOutline(Trunc(W), yc);
    FillBelowOutline(Trunc(W - 2), Trunc(H - 2));
}
