#pragma once

#include "panels/graphs/PnlGraphABC.h"

// Envelope graphs paint one pixel beyond the inner rectangle each way and
// show the surface from (1, 1).
class CPnlEnvelopeGraphABC : public CPnlGraphABC {
public:
    using CPnlGraphABC::CPnlGraphABC;

protected:
    int SurfaceInset() const override { return 1; }
};
