#pragma once

#include "panels/graphs/PnlGraphABC.h"

// A row of notches (or peaks) set by spread, feedback and the peak count.
class CPnlPhaserGraph final : public CPnlGraphABC {
public:
    CPnlPhaserGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    uint8_t peaks_ = 0;
    uint8_t spread_ = 0;
    uint8_t feedback_ = 0;
};
