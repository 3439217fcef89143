#include "panels/graphs/PnlWrapGraph.h"

CPnlWrapGraph::CPnlWrapGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlGraphABC(parent, x, y, 1)
{
    SetItemSize(39, 39);
}

void CPnlWrapGraph::ReadValues()
{
    folds_ = Value(0) * 0.125 + 1.0;
}

// One fold and its mirror through the centre.
void CPnlWrapGraph::DrawFold(double x, double y, double x2, double y2, float W, float H)
{
    const float cx = (W - 3) * 0.5f;
    const auto rd = [](double v) { return Round(static_cast<float>(v)); };
    MoveTo(rd(cx + x), rd(y));
    LineToCurve(rd(cx + x2), rd(y2));
    MoveTo(rd(cx - x), Trunc((H - 3) - rd(y)));
    LineToCurve(rd(cx - x2), Trunc((H - 3) - rd(y2)));
}

void CPnlWrapGraph::DrawGraph(float W, float H)
{
    const int16_t yc = Trunc((H - 2) * 0.5f);
    MoveTo(0, yc);
    LineToGrid(Trunc(W - 2), yc);
    MoveTo(yc, 0);
    LineToGrid(yc, Trunc(H - 2));
    const float cx = (W - 3) * 0.5f;
    const float cy = (H - 3) * 0.5f;
    const double w = folds_;
    const double d = cx / w;
    const int n = static_cast<int>(w);
    const double f = w - n;
    double x = 0;
    double y = cy;
    for (int i = 1; i <= n; ++i) {
        const double x2 = x + d;
        const double y2 = (i % 4 == 0 || i % 4 == 1) ? y - cy : y + cy;
        DrawFold(x, y, x2, y2, W, H);
        x = x2;
        y = y2;
    }
    const double x2 = x + f * d;
    const double y2 = (n % 4 == 0 || n % 4 == 3) ? y - f * cy : y + f * cy;
    DrawFold(x, y, x2, y2, W, H);
}
