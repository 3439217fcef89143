#pragma once

#include "panels/cables/RenderSegmentLineABC.h"

#include <cstdint>

// A curved cable: the chain of pieces along its snake shape, from end 2 to
// end 1; 3D chains get corners at their bends.
class CRenderSnake final : public CRenderSegmentLineABC {
public:
    CRenderSnake(const CableKey& key, uint32_t colour, uint8_t shape, bool threeD);
};
