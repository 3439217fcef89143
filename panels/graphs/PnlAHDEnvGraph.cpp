#include "panels/graphs/PnlAHDEnvGraph.h"

CPnlAHDEnvGraph::CPnlAHDEnvGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlEnvelopeGraphABC(parent, x, y, 2)
{
    SetItemSize(72, 28);
}

void CPnlAHDEnvGraph::ReadValues()
{
    attack_ = Value(0);
    hold_ = Value(1);
    decay_ = Value(2);
}

void CPnlAHDEnvGraph::DrawGraph(float W, float H)
{
    // Three segments of at most full scale share the width.
    const float k = (W - 2) * TimeUnit(3);
    const float x1 = DrawAttackLine(attack_, k, H);
    const int16_t bottom = Trunc(H - 2);
    const float x2 = static_cast<float>(hold_) * k + x1;
    const int16_t xh = Round(x2);
    LineToCurve(xh, 1);
    const int16_t dd = Round(static_cast<float>(decay_) * k);
    if (dd > 2) {
        DrawArc(xh, 4 - H, xh + 2 * dd, H - 1, 0, 2, xh + dd, 100, xh + dd, H - 2);
    } else {
        LineToCurve(xh, bottom);
    }
    LineToCurve(Trunc(W - 2), bottom);
}
