#pragma once

#include "framework/drawing/Color.h"

#include <cstdint>

// Watches the pen of every graph: each move and each line, in surface
// coordinates, as the graph makes it. One hook at a time; none by default.
class CGraphPenHook {
public:
    virtual ~CGraphPenHook() = default;
    virtual void PenMoved(int16_t x, int16_t y) = 0;
    virtual void LineDrawn(int16_t x, int16_t y, const NSHarrowen::CColor& colour) = 0;

    static void Install(CGraphPenHook* hook);
    static CGraphPenHook* Current();
};
