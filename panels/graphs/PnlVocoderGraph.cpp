#include "panels/graphs/PnlVocoderGraph.h"

CPnlVocoderGraph::CPnlVocoderGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlGraphABC(parent, x, y, 16)
{
    SetItemSize(194, 47);
}

void CPnlVocoderGraph::ReadValues()
{
    for (uint8_t i = 0; i < routes_.size(); ++i) {
        routes_[i] = Value(i);
    }
}

void CPnlVocoderGraph::DrawGraph(float, float)
{
    for (int i = 0; i < static_cast<int>(routes_.size()); ++i) {
        const int v = routes_[i];
        if (v != 0) {
            MoveTo(static_cast<int16_t>(12 * i + 6), 45);
            LineToCurve(static_cast<int16_t>(12 * v - 6), -1);
        }
    }
}
