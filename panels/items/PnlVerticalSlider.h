#pragma once

#include "panels/items/PnlKnobSliderABC.h"

// The vertical slider: a 47-pixel track that drags vertically whatever the
// knob preference, with its increment arrow above the decrement arrow
// under the track.
class CPnlVerticalSlider final : public CPnlKnobSliderABC {
public:
    static constexpr int16_t kWidth = 12;
    static constexpr int16_t kHeight = 63;

    CPnlVerticalSlider(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

    void Drag() override;
    uint8_t HitRegion(int16_t x, int16_t y) const override;
};
