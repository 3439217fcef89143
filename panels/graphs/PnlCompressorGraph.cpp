#include "panels/graphs/PnlCompressorGraph.h"

#include "panels/graphs/GraphColors.h"
#include "panels/graphs/GraphMath.h"

#include <algorithm>

void CPnlCompressorGraph::DrawGraph(float W, float)
{
    const double X = W - 3;
    const float r = CompressorRatio(values_[3]);
    float th = static_cast<float>(values_[2]) - 42;
    float lim = static_cast<float>(values_[5]) - 24;
    const float ref = static_cast<float>(values_[4]) - 42;
    // Make-up gain.
    float m = 0;
    if (ref > th) {
        m = std::min((ref - th) - (ref - th) / r, 42.0f);
    }
    lim -= m;
    if (lim < th) {
        th = lim;
    }
    const float k = (lim - th) * r + th;
    MoveTo(Trunc(ref + X), 0);
    LineToGrid(Trunc(ref + X), 48);
    MoveTo(Trunc(X), Trunc(-ref));
    LineToGrid(Trunc(X - 48), Trunc(-ref));
    DrawDiagonal(X, GraphColors::kGrid);
    if (values_[kBypass] == 0) {
        const auto top = static_cast<int16_t>(-Round(m) - Round(lim));
        MoveTo(Trunc(X + 1.0), top);
        LineToCurve(Trunc(Round(k) + X), top);
        LineToCurve(Trunc(Round(th) + X), static_cast<int16_t>(-Round(m) - Round(th)));
        LineToCurve(Trunc(X - 48), static_cast<int16_t>(48 - Round(m)));
    } else {
        DrawDiagonal(X, GraphColors::kCurve);
    }
}
