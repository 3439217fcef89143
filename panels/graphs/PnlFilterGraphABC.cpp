#include "panels/graphs/PnlFilterGraphABC.h"

#include "panels/graphs/GraphColors.h"
#include "panels/graphs/GraphMath.h"

namespace {
constexpr uint8_t kLowPass = 1;
constexpr uint8_t kBandPass = 2;
constexpr uint8_t kHighPass = 3;
constexpr uint8_t kBandReject = 4;

int16_t P(int v)
{
    return static_cast<int16_t>(v);
}
int16_t Rd(double v)
{
    return Round(static_cast<float>(v));
}
} // namespace

CPnlFilterGraphABC::CPnlFilterGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t params)
    : CPnlGraphABC(parent, x, y, params)
{
    SetItemSize(56, 36);
}

void CPnlFilterGraphABC::DrawGraph(float W, float H)
{
    const int G = fields_[kGainComp];
    const int R = fields_[kResonance];
    const int t = fields_[kType];
    const int s = fields_[kSlope];
    const double px = (W - 2) / 128.0;
    const double py = (H - 2) / 128.0;
    const int yb = Round((H - 2) * 0.4f);
    // The cut-off in horizontal units, 10 .. 117, in real arithmetic.
    const double fc = fields_[kFrequency] / 127.0 * 107 + 10;
    const int rz = Round(static_cast<float>(yb * G * R) / 127.0f);
    const int r53 = Rd((fc - 53) * px);
    const int r90 = Rd((90 - fc) * px);
    const int yl = Round(static_cast<float>(rz) * 0.5f) + yb;
    const int yz = Round(static_cast<float>(rz) * 0.5f) + Trunc(H - 2);
    const int e = R / 9;
    const int16_t right = Trunc(W + 1);
    MoveTo(0, P(yb));
    LineToGrid(right, P(yb));
    if (fields_[kBypass] == 1) {
        MoveTo(0, P(yb));
        LineToOutline(right, P(yb));
    } else if (t == kLowPass && fields_[kKind] == 0) {
        MoveTo(-1, P(yl));
        LineToOutline(P(r53 + 14 - s / 2), P(yl));
        const GraphPoint points[] = {{P(r53 + 24 - s / 2), P(yl)}, {P(r53 + 20 - s / 3), P(yl)},
                                     {P(r53 + 20), P(yl - e)},     {P(r53 + Round(s / 4.0f) + 19), P(yl)},
                                     {P(r53 + 29), P(yl + 5)},     {P(r53 + 57 - s), P(yz)}};
        DrawOutlineBezierFromPen(points, 6);
    } else if (t == kLowPass) {
        MoveTo(-1, P(yl));
        LineToOutline(P(r53 + 7), P(yl));
        const GraphPoint points[] = {{P(r53 + 15), P(yl)},     {P(r53 + 14), P(yl)},
                                     {P(r53 + 20), P(yl - e)}, {P(r53 + Round(s / 4.0f) + 19), P(yl)},
                                     {P(r53 + 29), P(yl + 5)}, {P(r53 + 57 - s), P(yz)}};
        DrawOutlineBezierFromPen(points, 6);
    } else if (t == kHighPass) {
        const auto mirror = [W](int v) { return Trunc(W - static_cast<float>(v)); };
        MoveTo(right, P(yl));
        LineToOutline(mirror(r90 + 14 - s / 2), P(yl));
        const GraphPoint points[] = {{mirror(r90 + 24 - s / 2), P(yl)}, {mirror(r90 + 20 - s / 3), P(yl)},
                                     {mirror(r90 + 20), P(yl - e)},     {mirror(r90 + s / 4 + 19), P(yl)},
                                     {mirror(r90 + 29), P(yl + 5)},     {mirror(r90 + 57 - s), P(yz)}};
        DrawOutlineBezierFromPen(points, 6);
    } else if (t == kBandPass) {
        const GraphPoint points[] = {{Trunc(W - static_cast<float>(r90 + 57 - s) - 10), P(yz)},
                                     {Trunc(W - static_cast<float>(r90 + 29) - 10), P(yl + 5)},
                                     {Trunc(W - static_cast<float>(r90 + s / 4 + 19)), P(yl)},
                                     {P(r53 + 20), P(yl - e)},
                                     {P(r53 + s / 4 + 19), P(yl)},
                                     {P(r53 + 39), P(yl + 5)},
                                     {P(r53 + 67 - s), P(yz)}};
        DrawOutlineBezierPath(points, 7);
    } else if (t == kBandReject) {
        const int16_t yq = P(Round(static_cast<float>(rz) * 0.25f) + yb);
        const int c = Rd(fc * px);
        const int q = Rd((R / 3 + 30) * px);
        const int a = Rd((fc - 60) * px);
        const int z = Rd((fc + 60) * px);
        const int yn = Rd((2 * s - 24) * py) + Trunc(H);
        const int yn2 = yn - Rd(30 * py);
        const GraphPoint lead{Rd(-30 * px), yq};
        const GraphPoint tail{P(z), yq};
        const GraphPoint points[] = {
            lead,           lead,           lead, {P(a), yq}, {P(a + q), yq}, {P(c), P(yn2)},    {P(c), P(yn)},
            {P(c), P(yn2)}, {P(z - q), yq}, tail, tail,       tail,           {Rd(158 * px), yq}};
        DrawOutlineBezierPath(points, 13);
    }
    FillBelowOutline(Trunc(W - 2), Trunc(H - 2));
}
