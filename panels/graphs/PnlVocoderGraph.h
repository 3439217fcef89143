#pragma once

#include "panels/graphs/PnlGraphABC.h"

#include <array>

// Which analysis band drives which synthesis band: a line from the bottom
// of each routed band's column to the top of its target's.
class CPnlVocoderGraph final : public CPnlGraphABC {
public:
    CPnlVocoderGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    std::array<uint8_t, 16> routes_{};
};
