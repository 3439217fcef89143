#include "panels/graphs/PnlADSRGraphABC.h"

#include "panels/graphs/GraphColors.h"

namespace {
constexpr uint8_t kLog = 0;
constexpr uint8_t kLin = 1;
constexpr uint8_t kExp = 2;
} // namespace

struct CPnlADSRGraphABC::Geometry {
    float kv;
    int16_t xa;
    int16_t xd;
    int16_t rw;
};

CPnlADSRGraphABC::CPnlADSRGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t params)
    : CPnlEnvelopeGraphABC(parent, x, y, params)
{
    SetItemSize(70, 28);
}

void CPnlADSRGraphABC::DrawGraph(float W, float H)
{
    // Attack, decay and release at full scale and the held sustain share the width.
    const float k = (W - 3) * TimeUnit(3, kSustainPlateau);
    Geometry g{};
    g.kv = (H - 3) * kLevelUnit;
    const float x1 = static_cast<float>(attack_) * k + 1.0f;
    g.xa = Round(x1);
    // The decay time scaled by the level it falls, the release time by the
    // sustain level.
    const float x2 = x1 + static_cast<float>(kFullScale - sustain_) * decay_ * k * kLevelUnit;
    g.xd = Round(x2);
    g.rw = Round(static_cast<float>(sustain_) * kLevelUnit * release_ * k);
    if (invert_ != 0) {
        DrawInverted(g, W, H);
    } else {
        DrawUpright(g, W, H);
    }
}

void CPnlADSRGraphABC::DrawUpright(const Geometry& g, float W, float H)
{
    const int16_t xa = g.xa;
    const int16_t yb = Trunc(H - 2);
    MoveTo(1, yb);
    if (attackType_ == kLin || (xa <= 1 && attackType_ <= kExp)) {
        LineToCurve(xa, 1);
    } else if (attackType_ == kLog) {
        DrawArc(1, 2 * H - 3, 2 * xa, 1, xa, 1, 1, H - 1, xa, 1);
    } else if (attackType_ == kExp) {
        DrawArc(2 - xa, 2 - H, xa + 1, H - 2, 1, H - 1, xa, 1, xa, 1);
    }
    const int16_t ys = Round((H - 2) - static_cast<float>(sustain_) * g.kv);
    int16_t x = xa;
    if (g.xd - xa > 1 && ys > 2) {
        DrawArc(xa, ys, 2 * g.xd - xa, 2 - ys, -100, 1, g.xd, 100, g.xd, ys);
        x = g.xd;
    } else {
        LineToCurve(xa, ys);
    }
    if (x < 2) {
        MoveTo(static_cast<int16_t>(x + 1), ys);
    }
    LineTo(Trunc(W - 2 - g.rw), ys, GraphColors::kHold);
    if (g.rw > 2 && H - 3 > ys) {
        DrawArc(W - 2 - g.rw, H - 2, W - 2 + g.rw, 2 * ys - H + 2, 0, ys, W - 2, 100, W - 2, H - 2);
    } else {
        LineToCurve(Trunc(W - 2), yb);
    }
}

void CPnlADSRGraphABC::DrawInverted(const Geometry& g, float W, float H)
{
    const int16_t xa = g.xa;
    MoveTo(1, 1);
    if (attackType_ == kLin || (xa <= 1 && attackType_ <= kExp)) {
        LineToCurve(xa, Trunc(H - 2));
    } else if (attackType_ == kLog) {
        DrawArc(1, H - 1, 2 * xa, -H, 1, 1, xa, H - 1, xa, H - 2);
    } else if (attackType_ == kExp) {
        DrawArc(2 - xa, 1, xa + 1, 2 * H, xa, H - 1, 1, -10, xa, H - 2);
    }
    const int16_t ysi = Round(static_cast<float>(sustain_) * g.kv + 1.0f);
    int16_t x = xa;
    if (g.xd - xa > 1 && ysi < H - 3) {
        DrawArc(xa, ysi, 2 * g.xd - xa, 2 * H - 2 - ysi, g.xd, 0, -100, H - 1, g.xd, ysi);
        x = g.xd;
    } else {
        LineToCurve(xa, ysi);
    }
    if (x < 2) {
        MoveTo(static_cast<int16_t>(x + 1), ysi);
    }
    LineTo(Trunc(W - 2 - g.rw), ysi, GraphColors::kHold);
    if (g.rw > 2 && ysi > 1) {
        DrawArc(W - 2 - g.rw, 1, W - 2 + g.rw, 2 * ysi, W - 2, 0, 0, ysi, W - 2, 1);
    } else {
        LineToCurve(Trunc(W - 2), 1);
    }
}
