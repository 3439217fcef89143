#include "panels/graphs/PnlDynamicsGraphABC.h"

CPnlDynamicsGraphABC::CPnlDynamicsGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlGraphABC(parent, x, y, 9)
{
    SetItemSize(47, 47);
}

void CPnlDynamicsGraphABC::ReadValues()
{
    for (uint8_t i = 0; i < values_.size(); ++i) {
        values_[i] = Value(i);
    }
}

void CPnlDynamicsGraphABC::DrawDiagonal(double X, const NSHarrowen::CColor& colour)
{
    MoveTo(Trunc(X), 0);
    LineTo(Trunc(X - 48), 48, colour);
}
