#pragma once

#include "panels/graphs/PnlGraphABC.h"

// A hard-clipping transfer curve, clipped below too when symmetric.
class CPnlDistAGraph final : public CPnlGraphABC {
public:
    CPnlDistAGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    uint8_t symmetric_ = 0;
    uint8_t amount_ = 0;
};
