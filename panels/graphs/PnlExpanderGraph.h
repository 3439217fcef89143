#pragma once

#include "panels/graphs/PnlDynamicsGraphABC.h"

// Attack, release, threshold, ratio, gate, gate hold, side-chain active,
// side-chain monitor, bypass.
class CPnlExpanderGraph final : public CPnlDynamicsGraphABC {
public:
    using CPnlDynamicsGraphABC::CPnlDynamicsGraphABC;

protected:
    void DrawGraph(float width, float height) override;
};
