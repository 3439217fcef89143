#pragma once

#include "panels/items/PnlKnobABC.h"

// The round knobs by size. Each carries its two arrows side by side under
// the body, decrement on the left.
class CPnlBigKnob final : public CPnlKnobABC {
public:
    static constexpr Shape kShape = {29, 32, 14, 16, 14, 24, 14};
    CPnlBigKnob(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
};

class CPnlMediumKnob final : public CPnlKnobABC {
public:
    static constexpr Shape kShape = {23, 25, 11, 12, 11, 17, 11};
    CPnlMediumKnob(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
};

class CPnlSmallKnob final : public CPnlKnobABC {
public:
    static constexpr Shape kShape = {21, 23, 10, 11, 10, 16, 10};
    CPnlSmallKnob(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
};

// A medium knob with a centre mark above it: a press on the mark sets the
// middle value, and the mark lights while the value stands there.
class CPnlIndicatorKnob final : public CPnlKnobABC {
public:
    static constexpr Shape kShape = {23, 31, 11, 18, 11, 23, 11};
    static constexpr int16_t kMarkRows = 6;
    CPnlIndicatorKnob(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

    uint8_t HitRegion(int16_t x, int16_t y) const override;
    void UpdateDisplay() override;
    void Draw() override;
    bool IsCentreLit() const { return centreLit_; }

private:
    bool centreLit_ = false;
    uint8_t litFor_ = 0xFF; // the value the lamp was last worked out for
};
