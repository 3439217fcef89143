#include "panels/graphs/PnlLFOGraphABC.h"

#include <cmath>

CPnlLFOGraphABC::CPnlLFOGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t params)
    : CPnlGraphABC(parent, x, y, params)
{
    SetItemSize(49, 20);
}

uint8_t CPnlLFOGraphABC::PhaseCode(uint8_t phase)
{
    return static_cast<uint8_t>(phase < 64 ? phase - 64 : phase + 64);
}

void CPnlLFOGraphABC::DrawGraph(float W, float H)
{
    const float yc = H * 0.5f - 1.0f;
    const float P = (W - 2) / periods_;
    const int off = Round(-static_cast<float>(phase_) * P * 0.0078125f);
    const int16_t amp = Round((H - 3) * 0.5f);
    const int16_t yl = Trunc(H - 3);
    const int16_t mid = Trunc(yc);
    const auto at = [](float v) { return Round(v); };
    switch (waveform_) {
    case 0:
        MoveTo(0, amp);
        LineToCurve(Trunc(W - 2), amp);
        break;
    case 1: {
        const float w = 2 * 3.141592653f / P;
        MoveTo(0, Round((1 - std::sin(-w * static_cast<float>(off))) * static_cast<float>(amp)));
        for (int x = 1; x < W - 1; ++x) {
            LineToCurve(static_cast<int16_t>(x),
                        Trunc((1 - std::sin(static_cast<float>(x - off) * w)) * static_cast<float>(amp)));
        }
        break;
    }
    case 2:
        MoveTo(static_cast<int16_t>(off), mid);
        for (float x = static_cast<float>(off); x < W - 2; x += P) {
            LineToCurve(at(x + P * 0.25f), 0);
            LineToCurve(at(x + P * 0.75f), yl);
            LineToCurve(at(x + P), mid);
        }
        break;
    case 3:
        MoveTo(static_cast<int16_t>(off), mid);
        for (float x = static_cast<float>(off); x < W - 2; x += P) {
            LineToCurve(at(x + P * 0.5f), 0);
            LineToCurve(at(x + P * 0.5f), yl);
            LineToCurve(at(x + P), mid);
        }
        break;
    case 4:
        MoveTo(static_cast<int16_t>(off), yl);
        for (float x = static_cast<float>(off); x < W - 2; x += P) {
            LineToCurve(at(x), 0);
            LineToCurve(at(x + P), yl);
        }
        break;
    case 5: {
        const float pw = static_cast<float>(pulseWidth_) * P * 0.0078125f;
        MoveTo(static_cast<int16_t>(off), yl);
        for (float x = static_cast<float>(off); x < W - 2; x += P) {
            LineToCurve(at(x), 0);
            LineToCurve(at(x + pw), 0);
            LineToCurve(at(x + pw), yl);
            LineToCurve(at(x + P), yl);
        }
        break;
    }
    default:
        break;
    }
}
