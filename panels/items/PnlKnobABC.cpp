#include "panels/items/PnlKnobABC.h"

#include "framework/input/Keyboard.h"
#include "framework/input/MouseState.h"
#include "framework/windows/ABCWindow.h"
#include "panels/items/DragState.h"
#include "panels/panel/ControlContainerInterface.h"
#include "platform/input/InputState.h"
#include "platform/windows/Window.h"

#include <algorithm>
#include <cmath>

using NSHarrowen::CPoint;

CPnlKnobABC::CPnlKnobABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, const Shape& shape)
    : CPnlKnobSliderABC(parent, x, y, shape.width, shape.height), shape_(shape)
{ }

uint8_t CPnlKnobABC::HitRegion(int16_t x, int16_t y) const
{
    if (y < shape_.bodyBottom) {
        return CDragState::kBody;
    }
    return x < shape_.decrementRight ? CDragState::kDecrement : CDragState::kIncrement;
}

bool CPnlKnobABC::OnMouseDown(int16_t x, int16_t y)
{
    const bool handled = CPnlKnobSliderABC::OnMouseDown(x, y);
    AfterPress(false);
    return handled;
}

bool CPnlKnobABC::OnDoubleClick(int16_t x, int16_t y)
{
    const bool handled = CPnlKnobSliderABC::OnDoubleClick(x, y);
    AfterPress(true);
    return handled;
}

void CPnlKnobABC::AfterPress(bool morphWhenAllowed)
{
    if (GetKnobControlMode() != KnobControl::Circular) {
        return;
    }
    CDragState& state = DragState();
    // The pointer stands on the arc: no drag cursor in this mode.
    state.tracking = false;
    if (state.region != CDragState::kBody || !HasMouseCapture() || GetStepCount() == 0) {
        return;
    }
    double fraction = static_cast<double>(GetValue()) / GetStepCount();
    const bool wantsMorph = morphWhenAllowed || NSHarrowen::GetModifierKeys().IsControlOrCommandDown();
    if (wantsMorph && GetContainer()->AssignToToolbarMorphGroup(*this, 0)) {
        fraction = static_cast<double>(GetValue() + GetContainer()->GetMorphAmount(*this)) / GetStepCount();
    }
    PlacePointer(fraction);
}

void CPnlKnobABC::PlacePointer(double fraction)
{
    const double angle = (2 * fraction + 1) * 0.75 * kPi;
    const int16_t x =
        static_cast<int16_t>(GetFrame().left + shape_.centreX + std::trunc(std::cos(angle) * shape_.radius));
    const int16_t y =
        static_cast<int16_t>(GetFrame().top + shape_.centreY + std::trunc(std::sin(angle) * shape_.radius));
    const NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    const platform::Point screen = platform::ClientToScreen(window->GetHandle(), {x, y});
    platform::SetCursorPos(screen);
    // The drag measures from the arc point, so the value holds until the
    // pointer moves.
    DragState().start = CPoint(static_cast<int16_t>(screen.x), static_cast<int16_t>(screen.y));
}

void CPnlKnobABC::Drag()
{
    const uint8_t region = DragState().region;
    if (region == CDragState::kIncrement || region == CDragState::kDecrement) {
        RepeatTick();
        return;
    }
    if (region != CDragState::kBody) {
        return;
    }
    switch (GetKnobControlMode()) {
    case KnobControl::Horizontal:
        LinearDrag(0);
        break;
    case KnobControl::Vertical:
        LinearDrag(1);
        break;
    case KnobControl::Circular:
        CircularDrag();
        break;
    }
}

void CPnlKnobABC::CircularDrag()
{
    const CDragState& state = DragState();
    const CPoint screen = NSHarrowen::GetMouseState().position;
    if (screen == state.start || GetStepCount() == 0) {
        return;
    }
    const CPoint p = GetMousePosition();
    const int16_t dx = static_cast<int16_t>(p.x - GetFrame().left - shape_.centreX);
    const int16_t dy = static_cast<int16_t>(p.y - GetFrame().top - shape_.centreY);
    double angle = 0;
    if (dx != 0) {
        angle = std::atan(static_cast<double>(dy) / dx) + (dx < 0 ? 0.25 * kPi : 1.25 * kPi);
    } else {
        angle = dy < 0 ? 0.75 * kPi : 2.75 * kPi;
    }
    const int steps = GetStepCount();
    const int n = static_cast<int>(std::trunc(steps * angle / (1.5 * kPi) + 0.5));
    if (state.target == CDragState::kValue) {
        const int value = std::clamp(n, 0, steps);
        if (value != GetValue()) {
            GetContainer()->ChangeValue(*this, static_cast<uint8_t>(std::min(value, 127)));
        }
    } else if (state.target == CDragState::kMorph) {
        int m = n - GetValue();
        if (GetValue() + m < 0) {
            m = -GetValue();
        }
        if (GetValue() + m > steps) {
            m = steps - GetValue();
        }
        if (m != GetContainer()->GetMorphAmount(*this)) {
            GetContainer()->ChangeMorph(*this, static_cast<int8_t>(m));
        }
    }
}
