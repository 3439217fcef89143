#pragma once

#include "panels/graphs/PnlGraphABC.h"

// A low or high shelf over the level axis.
class CPnlEqHiLoGraph final : public CPnlGraphABC {
public:
    CPnlEqHiLoGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    uint8_t frequency_ = 0;
    uint8_t gain_ = 0;
    uint8_t shelf_ = 0;
};
