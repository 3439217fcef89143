#pragma once

#include "panels/graphs/PnlGraphABC.h"

// Two straight lines from a break point on the axis.
class CPnlAmpProcGraph final : public CPnlGraphABC {
public:
    CPnlAmpProcGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    uint8_t left_ = 0;
    uint8_t breakPoint_ = 0;
    uint8_t right_ = 0;
};
