#pragma once

#include "panels/graphs/PnlEnvelopeGraphABC.h"

// Attack, hold at the top, and a decay arc.
class CPnlAHDEnvGraph final : public CPnlEnvelopeGraphABC {
public:
    CPnlAHDEnvGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    uint8_t attack_ = 0;
    uint8_t hold_ = 0;
    uint8_t decay_ = 0;
};
