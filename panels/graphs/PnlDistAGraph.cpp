#include "panels/graphs/PnlDistAGraph.h"

CPnlDistAGraph::CPnlDistAGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlGraphABC(parent, x, y, 2)
{
    SetItemSize(39, 39);
}

void CPnlDistAGraph::ReadValues()
{
    symmetric_ = Value(0);
    amount_ = Value(1);
}

void CPnlDistAGraph::DrawGraph(float W, float H)
{
    const float c = H * 0.5f - 1.0f;
    const int16_t k = Round(c * static_cast<float>(amount_) * 0.007874016f);
    MoveTo(0, Trunc(c));
    LineToGrid(Trunc(W), Trunc(c));
    MoveTo(Trunc(c), 0);
    LineToGrid(Trunc(c), Trunc(H));
    MoveTo(Trunc(W), k);
    LineToCurve(Trunc(W - k - 1.0f), k);
    LineToCurve(k, Trunc(H - k - 2.0f));
    LineToCurve(-1, symmetric_ != 0 ? Trunc(H - k - 2.0f) : Trunc(H - 1.0f));
}
