#pragma once

#include "panels/graphs/PnlEnvelopeGraphABC.h"

// Attack and decay: a line up to the peak and a quarter ellipse down.
class CPnlADEnvGraph final : public CPnlEnvelopeGraphABC {
public:
    CPnlADEnvGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    uint8_t attack_ = 0;
    uint8_t decay_ = 0;
};
