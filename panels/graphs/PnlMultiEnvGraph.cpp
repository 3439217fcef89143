#include "panels/graphs/PnlMultiEnvGraph.h"

#include "panels/graphs/GraphColors.h"

#include <cstdlib>

namespace {
constexpr uint8_t kBipolar = 0;
constexpr uint8_t kUniLin = 2;
} // namespace

CPnlMultiEnvGraph::CPnlMultiEnvGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlEnvelopeGraphABC(parent, x, y, 11)
{
    SetItemSize(84, 28);
}

void CPnlMultiEnvGraph::ReadValues()
{
    for (uint8_t i = 0; i < 4; ++i) {
        levels_[i] = Value(i);
    }
    for (uint8_t i = 0; i < 5; ++i) {
        times_[i] = Value(static_cast<uint8_t>(4 + i));
    }
    sustainPlace_ = Value(9);
    polarity_ = Value(10);
}

void CPnlMultiEnvGraph::DrawGraph(float W, float H)
{
    // Five times at full scale and the held sustain share the width.
    const float kt = (W - 8) * TimeUnit(5, kSustainPlateau);
    const float kl = (H - 3) * kLevelUnit;
    int w[6] = {};
    int total = 0;
    for (int i = 1; i <= 5; ++i) {
        w[i] = Round(static_cast<float>(times_[i - 1]) * kt) + 1;
        total += times_[i - 1];
    }
    const int hold = Round((W - 4) - static_cast<float>(total) * kt) - 3;
    const int base = polarity_ == kBipolar ? Round(64 * kl) : 0;
    int h[6] = {base, 0, 0, 0, 0, base};
    for (int i = 1; i <= 4; ++i) {
        h[i] = Round(static_cast<float>(levels_[i - 1]) * kl);
    }
    int x[6] = {1};
    int y[6] = {};
    for (int i = 0; i <= 5; ++i) {
        y[i] = Trunc((H - 2) - static_cast<float>(h[i]));
    }
    // Node 1 lies round(T1 * kt) right of node 0, the later ones w_i apart.
    x[1] = w[1];
    for (int i = 2; i <= 5; ++i) {
        x[i] = x[i - 1] + w[i];
    }
    const bool holds = sustainPlace_ >= 1 && sustainPlace_ <= 4;
    // Each segment's two control points and its end node.
    GraphPoint points[6][3] = {};
    for (int i = 1; i <= 5; ++i) {
        const int m = (h[i] - h[i - 1]) / 2;
        const int ym = y[i - 1] - m;
        const int xm = i == 1 ? (1 + w[1]) / 2 : x[i - 1] + w[i] / 2;
        const bool rising = i == 1 || (i < 5 && h[i] > h[i - 1]);
        const int shift = holds && i > sustainPlace_ ? hold : 0;
        const auto at = [shift](int px, int py) {
            return GraphPoint{static_cast<int16_t>(px + shift), static_cast<int16_t>(py)};
        };
        if (rising) {
            points[i][0] = at(xm, y[i - 1]);
            points[i][1] = at(x[i], ym);
        } else {
            points[i][0] = at(x[i - 1], ym);
            points[i][1] = at(xm, y[i]);
        }
        points[i][2] = at(x[i], y[i]);
    }
    if (polarity_ == kBipolar) {
        const int16_t centre = Round((H - 2) * 0.5f);
        MoveTo(1, centre);
        LineToGrid(Trunc(W - 2), centre);
    }
    MoveTo(1, static_cast<int16_t>(y[0]));
    for (int i = 1; i <= 5; ++i) {
        const int rise = h[i] - h[i - 1];
        const bool straight =
            polarity_ == kBipolar || (polarity_ == kUniLin && rise > 0) || w[i] < 2 || std::abs(rise) < 2;
        if (straight) {
            LineToCurve(points[i][2].x, points[i][2].y);
        } else {
            DrawCurveBezierFromPen(points[i], 3);
        }
        if (holds && i == sustainPlace_) {
            LineTo(static_cast<int16_t>(x[i] + hold), static_cast<int16_t>(y[i]), GraphColors::kHold);
        }
    }
    LineToCurve(Trunc(W - 1), static_cast<int16_t>(y[0]));
}
