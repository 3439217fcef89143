#pragma once

#include "panels/graphs/PnlEnvelopeGraphABC.h"

#include <array>

// Four levels and five times: straight or curved segments between six
// nodes, with the hold in yellow after the sustain node.
class CPnlMultiEnvGraph final : public CPnlEnvelopeGraphABC {
public:
    CPnlMultiEnvGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    std::array<uint8_t, 4> levels_{};
    std::array<uint8_t, 5> times_{};
    uint8_t sustainPlace_ = 3;
    uint8_t polarity_ = 2;
};
