#include "panels/items/PnlVerticalSlider.h"

#include "panels/items/DragState.h"
#include "panels/painters/VerticalSliderGUI.h"

CPnlVerticalSlider::CPnlVerticalSlider(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlKnobSliderABC(parent, x, y, kWidth, kHeight)
{
    SetPainter(std::make_unique<CVerticalSliderGUI>(*this));
}

uint8_t CPnlVerticalSlider::HitRegion(int16_t, int16_t y) const
{
    if (y <= 46) {
        return CDragState::kBody;
    }
    return y <= 54 ? CDragState::kIncrement : CDragState::kDecrement;
}

void CPnlVerticalSlider::Drag()
{
    const uint8_t region = DragState().region;
    if (region == CDragState::kBody) {
        LinearDrag(1);
    } else if (region == CDragState::kIncrement || region == CDragState::kDecrement) {
        RepeatTick();
    }
}
