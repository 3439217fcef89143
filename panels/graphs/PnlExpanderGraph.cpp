#include "panels/graphs/PnlExpanderGraph.h"

#include "panels/graphs/GraphColors.h"
#include "panels/graphs/GraphMath.h"

void CPnlExpanderGraph::DrawGraph(float W, float)
{
    const double X = W - 3;
    const float r = CompressorRatio(values_[3]);
    float t1 = static_cast<float>(values_[2]) - 87;
    const float t2 = static_cast<float>(values_[4]) - 87;
    if (t1 < t2) {
        t1 = t2;
    }
    const float k = (t2 - t1) * r + t1;
    DrawDiagonal(X, GraphColors::kGrid);
    if (values_[kBypass] == 0) {
        MoveTo(Trunc(X + 1.0), -1);
        LineToCurve(Trunc(Round(t1 * 0.5f) + X), static_cast<int16_t>(-Round(t1 * 0.5f)));
        LineToCurve(Trunc(Round(t2 * 0.5f) + X), static_cast<int16_t>(-Round(k * 0.5f)));
        LineToCurve(Trunc(Round(t2 * 0.5f) + X), 48);
    } else {
        DrawDiagonal(X, GraphColors::kCurve);
    }
}
