#include "panels/graphs/PnlAmpProcGraph.h"

CPnlAmpProcGraph::CPnlAmpProcGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlGraphABC(parent, x, y, 3)
{
    SetItemSize(56, 31);
}

void CPnlAmpProcGraph::ReadValues()
{
    left_ = Value(0);
    breakPoint_ = Value(1);
    right_ = Value(2);
}

void CPnlAmpProcGraph::DrawGraph(float W, float H)
{
    const float yc = (H - 2) * 0.5f;
    const int16_t xo = Round(static_cast<float>(breakPoint_) * (W - 2) * 0.007874016f);
    const int s0 = 2 * left_ - 48;
    const int s2 = 2 * right_ - 48;
    MoveTo(1, Trunc(yc));
    LineToGrid(Trunc(W - 2), Trunc(yc));
    // Both lines reach beyond the edges.
    MoveTo(xo, Trunc(yc));
    LineToCurve(Trunc(xo - W - 3.0f), Trunc(yc - s0));
    MoveTo(xo, Trunc(yc));
    LineToCurve(Trunc(W + xo - 1.0f), Trunc(yc - s2));
}
