#pragma once

#include "panels/graphs/PnlDynamicsGraphABC.h"

// Attack, release, threshold, ratio, reference level, limiter, side-chain
// active, side-chain monitor, bypass.
class CPnlCompressorGraph final : public CPnlDynamicsGraphABC {
public:
    using CPnlDynamicsGraphABC::CPnlDynamicsGraphABC;

protected:
    void DrawGraph(float width, float height) override;
};
