#pragma once

#include "panels/graphs/PnlGraphABC.h"

#include <array>

// The compressor's and the expander's transfer curves read the same nine
// values; the ninth is the bypass switch.
class CPnlDynamicsGraphABC : public CPnlGraphABC {
public:
    CPnlDynamicsGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    // The unity diagonal from the top right, in a colour.
    void DrawDiagonal(double X, const NSHarrowen::CColor& colour);

    static constexpr size_t kBypass = 8;
    std::array<uint8_t, 9> values_{};
};
