#pragma once

#include "panels/cables/RenderLineABC.h"

// A cable whose two ends coincide: nothing to draw, no area covered.
class CRenderEmpty final : public CRenderLineABC {
public:
    CRenderEmpty(const CableKey& key, uint32_t colour) : CRenderLineABC(key, colour) { }
    void Draw(const NSHarrowen::CRect&, CPixelTarget&) override { }
};
