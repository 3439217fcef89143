#pragma once

#include "panels/graphs/PnlGraphABC.h"

// A soft-clipping cubic transfer curve.
class CPnlDistBGraph final : public CPnlGraphABC {
public:
    CPnlDistBGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    double amount_ = 0; // 0 .. 1
};
