#include "panels/graphs/PnlEqHiLoGraph.h"

CPnlEqHiLoGraph::CPnlEqHiLoGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlGraphABC(parent, x, y, 3)
{
    SetItemSize(56, 31);
}

void CPnlEqHiLoGraph::ReadValues()
{
    frequency_ = Value(0);
    gain_ = Value(1);
    shelf_ = Value(2);
}

void CPnlEqHiLoGraph::DrawGraph(float W, float H)
{
    const int16_t yc = Round((H - 2) * 0.5f);
    const float gy = (H - 2) * 0.00703125f;
    const float kx = (W - 2 - 20) * 0.0078125f;
    const int16_t yg = Round(static_cast<float>(yc) - static_cast<float>(gain_ - 64) * gy);
    const float f = frequency_;
    MoveTo(0, yc);
    LineToGrid(Trunc(W), yc);
    if (shelf_ == 0) {
        const int16_t xa = Round(f * kx + 10 - 16);
        const int16_t xb = Round(f * kx + 10);
        MoveTo(-1, yg);
        LineToOutline(xa, yg);
        const GraphPoint shelf[] = {{static_cast<int16_t>(xb - 8), yg}, {static_cast<int16_t>(xb - 8), yc}, {xb, yc}};
        DrawOutlineBezierFromPen(shelf, 3);
        LineToOutline(Trunc(W), yc);
    } else if (shelf_ == 1) {
        const int16_t x1 = Round(f * kx + 10);
        const int16_t x2 = Round(f * kx + 26);
        MoveTo(0, yc);
        LineToOutline(x1, yc);
        const GraphPoint shelf[] = {{static_cast<int16_t>(x1 + 8), yc}, {static_cast<int16_t>(x1 + 8), yg}, {x2, yg}};
        DrawOutlineBezierFromPen(shelf, 3);
        LineToOutline(Trunc(W), yg);
    }
    FillBelowOutline(Trunc(W - 2), Trunc(H - 2));
}
