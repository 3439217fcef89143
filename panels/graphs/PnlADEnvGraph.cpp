#include "panels/graphs/PnlADEnvGraph.h"

CPnlADEnvGraph::CPnlADEnvGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlEnvelopeGraphABC(parent, x, y, 2)
{
    SetItemSize(41, 25);
}

void CPnlADEnvGraph::ReadValues()
{
    attack_ = Value(0);
    decay_ = Value(1);
}

void CPnlADEnvGraph::DrawGraph(float W, float H)
{
    // Attack and decay each take at most half of the width.
    const float k = (W - 3) * TimeUnit(2);
    const float x1 = DrawAttackLine(attack_, k, H);
    const int16_t bottom = Trunc(H - 2);
    const int16_t d = Round(static_cast<float>(decay_) * k);
    const float x2 = x1 + d;
    const int16_t xr = Round(x2);
    if (d > 1) {
        DrawArc(xr - d, H - 2, xr + d, 4 - H, -100, 1, xr, 100, xr, H - 2);
    } else {
        LineToCurve(static_cast<int16_t>(xr - d), bottom);
    }
    LineToCurve(Trunc(W), bottom);
}
