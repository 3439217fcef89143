#include "panels/items/PnlKnobs.h"

#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"
#include "panels/items/DragState.h"
#include "panels/painters/KnobPainters.h"

CPnlBigKnob::CPnlBigKnob(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlKnobABC(parent, x, y, kShape)
{
    SetPainter(std::make_unique<CBigKnobGUI>(*this));
}

CPnlMediumKnob::CPnlMediumKnob(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlKnobABC(parent, x, y, kShape)
{
    SetPainter(std::make_unique<CMediumKnobGUI>(*this));
}

CPnlSmallKnob::CPnlSmallKnob(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlKnobABC(parent, x, y, kShape)
{
    SetPainter(std::make_unique<CSmallKnobGUI>(*this));
}

CPnlIndicatorKnob::CPnlIndicatorKnob(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlKnobABC(parent, x, y, kShape)
{
    SetPainter(std::make_unique<CMediumKnobGUI>(*this));
}

uint8_t CPnlIndicatorKnob::HitRegion(int16_t x, int16_t y) const
{
    if (y <= 5) {
        return x >= 7 && x <= 15 ? CDragState::kCentre : CDragState::kNoRegion;
    }
    if (y <= 22) {
        return CDragState::kBody;
    }
    if (x <= 10) {
        return CDragState::kDecrement;
    }
    return x <= 21 ? CDragState::kIncrement : CDragState::kNoRegion;
}

void CPnlIndicatorKnob::UpdateDisplay()
{
    if (GetValue() != litFor_) {
        litFor_ = GetValue();
        centreLit_ = GetValue() == (GetStepCount() + 1) / 2;
        InvalidateFrame();
    }
    CPnlKnobABC::UpdateDisplay();
}

void CPnlIndicatorKnob::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    const NSHarrowen::CRect& frame = GetFrame();
    {
        // The centre mark over the knob, lit at the middle value.
        NSHarrowen::CCanvas canvas(window);
        canvas.FillRect(NSHarrowen::CRect(frame.left, frame.top, frame.right, frame.top + kMarkRows),
                        NSHarrowen::CColor(0xBF00, 0xBF00, 0xBF00));
        canvas.FillRect(NSHarrowen::CRect(frame.left + 8, frame.top + 1, frame.left + 15, frame.top + 5),
                        centreLit_ ? NSHarrowen::CColor(0xFFFF, 0x8000, 0)
                                   : NSHarrowen::CColor(0x6000, 0x6000, 0x6000));
    }
    GetPainter().Draw(NSHarrowen::CRect(frame.left, frame.top + kMarkRows, frame.right, frame.bottom));
}
