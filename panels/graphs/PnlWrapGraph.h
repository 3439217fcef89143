#pragma once

#include "panels/graphs/PnlGraphABC.h"

// A curve that folds back at the edges, w folds over each half.
class CPnlWrapGraph final : public CPnlGraphABC {
public:
    CPnlWrapGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    void DrawFold(double x, double y, double x2, double y2, float W, float H);
    double folds_ = 1.0;
};
