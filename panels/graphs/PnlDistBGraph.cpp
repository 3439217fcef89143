#include "panels/graphs/PnlDistBGraph.h"

#include <cmath>

namespace {
int16_t Rd(double v)
{
    return Round(static_cast<float>(v));
}
int16_t Ceil(double v)
{
    return static_cast<int16_t>(std::ceil(v));
}
int16_t Floor(double v)
{
    return static_cast<int16_t>(std::floor(v));
}
} // namespace

CPnlDistBGraph::CPnlDistBGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlGraphABC(parent, x, y, 1)
{
    SetItemSize(39, 39);
}

void CPnlDistBGraph::ReadValues()
{
    amount_ = Value(0) * static_cast<double>(0.007874016f);
}

void CPnlDistBGraph::DrawGraph(float W, float H)
{
    const double a = amount_;
    const double c = (H - 2) * 0.5;
    const double L = 2.0 * (W - 2);
    MoveTo(0, Floor(c));
    LineToGrid(Trunc(W - 2), Floor(c));
    MoveTo(Floor(c), 0);
    LineToGrid(Floor(c), Trunc(H - 2));
    if (a > 0) {
        // v - v^3 / 3 with v = 16 a u.
        const auto f = [a](double u) { return 16 * a * u - 1365.3333740234375 * std::pow(a * u, 3); };
        const double b = 1 / (16 * a);
        const double s = b < 0.375 ? 0.375 : b;
        double u = -b;
        const double y = c - f(u) * s * L;
        MoveTo(-2, Rd(y));
        LineToCurve(Rd(u * L + c), Rd(y));
        for (int t = -9; t <= 10; ++t) {
            u = b * 0.1 * t;
            LineToCurve(Rd(u * L + c), Ceil(c - f(u) * s * L));
        }
        LineToCurve(Trunc(W), Ceil(c - f(u) * s * L));
    } else {
        MoveTo(Rd(c - 0.25 * L), Rd(c + 0.25 * L));
        for (int t = -9; t <= 10; ++t) {
            const double u = 0.025 * t;
            LineToCurve(Rd(c + u * L), Rd(c - u * L));
        }
    }
}
