#pragma once

#include "panels/graphs/PnlGraphABC.h"

// A bell over the level axis from frequency, gain and bandwidth.
class CPnlEqMidGraph final : public CPnlGraphABC {
public:
    CPnlEqMidGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    uint8_t frequency_ = 0;
    uint8_t gain_ = 0;
    uint8_t bandwidth_ = 0;
};
