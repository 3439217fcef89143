#include "panels/items/PnlControl.h"

#include "framework/input/Keyboard.h"
#include "framework/input/MouseState.h"
#include "panels/items/DragState.h"
#include "panels/panel/ControlContainerInterface.h"
#include "platform/input/InputState.h"

#include <algorithm>
#include <cassert>
#include <cmath>

using NSHarrowen::CPoint;

namespace {

// trunc(base + steps * accumulator / 256 + 0.5), the integer division and
// both truncations toward zero: a negative sum moves one step toward zero.
int LinearTarget(int base, int steps, int32_t accumulator)
{
    const double sum = base + static_cast<double>(steps * accumulator / 256) + 0.5;
    return static_cast<int>(std::trunc(sum));
}

void WarpPointer(CPoint screen)
{
    platform::SetCursorPos(platform::Point{screen.x, screen.y});
}

} // namespace

CPnlControl::CPnlControl(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPanelItem(parent, x, y)
{
    CControlContainerInterface* container = GetContainer();
    assert(container != nullptr && "a control is built on a panel");
    if (container) {
        container->AddControl(*this);
    }
}

CPnlControl::~CPnlControl()
{
    if (DragState().hovered == this) {
        DragState().hovered = nullptr;
    }
}

CControlContainerInterface* CPnlControl::GetContainer() const
{
    return container_.Get(GetParent());
}

std::string CPnlControl::GetParamName() const
{
    return GetContainer()->GetParamName(*this);
}

ParamAddress CPnlControl::GetParamAddress() const
{
    return GetContainer()->GetParamAddress(*this);
}

ParamAddress MakeParamAddress(const CPnlControl& control)
{
    return control.GetParamAddress();
}

std::string CPnlControl::GetContainerName() const
{
    return GetContainer()->GetModuleName(*this);
}

void CPnlControl::IncrementValue()
{
    if (value_ < steps_) {
        const uint8_t next = static_cast<uint8_t>(std::min(value_ + 1, 127));
        GetContainer()->ChangeValue(*this, next);
    }
    OnStepUp();
}

void CPnlControl::DecrementValue()
{
    if (value_ > 0) {
        GetContainer()->ChangeValue(*this, static_cast<uint8_t>(value_ - 1));
    }
    OnStepDown();
}

void CPnlControl::IncrementMorph()
{
    const int8_t morph = GetContainer()->GetMorphAmount(*this);
    if (value_ + morph < steps_) {
        GetContainer()->ChangeMorph(*this, static_cast<int8_t>(morph + 1));
    }
}

void CPnlControl::DecrementMorph()
{
    const int8_t morph = GetContainer()->GetMorphAmount(*this);
    if (value_ + morph >= 1) {
        GetContainer()->ChangeMorph(*this, static_cast<int8_t>(morph - 1));
    }
}

void CPnlControl::StepInDirection(uint8_t direction, uint8_t target)
{
    if (target == CDragState::kValue) {
        direction == CDragState::kUp ? IncrementValue() : DecrementValue();
    } else if (target == CDragState::kMorph) {
        direction == CDragState::kUp ? IncrementMorph() : DecrementMorph();
    }
}

void CPnlControl::BeginMorphTarget()
{
    CDragState& state = DragState();
    if (GetContainer()->AssignToToolbarMorphGroup(*this, 0)) {
        state.startMorph = GetContainer()->GetMorphAmount(*this);
        state.target = CDragState::kMorph;
    }
}

void CPnlControl::BeginRepeat(uint8_t direction)
{
    if (!CaptureMouse()) {
        return;
    }
    CDragState& state = DragState();
    if (NSHarrowen::GetModifierKeys().IsControlOrCommandDown()) {
        BeginMorphTarget();
    } else {
        state.target = CDragState::kValue;
        state.startValue = value_;
    }
    StepInDirection(direction, state.target);
    state.direction = direction;
    state.nextRepeat = NowMs32() + kFirstRepeatMs;
}

void CPnlControl::RepeatTick()
{
    CDragState& state = DragState();
    const uint32_t now = NowMs32();
    if (HasMouseCapture() && TimeHasPassed(now, state.nextRepeat)) {
        state.nextRepeat = now + kRepeatMs;
        StepInDirection(state.direction, state.target);
    }
}

void CPnlControl::EndRepeat()
{
    if (HasMouseCapture()) {
        ReleaseMouse();
    }
    DragState().target = CDragState::kNone;
    DragState().direction = CDragState::kNoDirection;
}

bool CPnlControl::BeginDrag()
{
    if (!CaptureMouse()) {
        return false;
    }
    CDragState& state = DragState();
    state.start = NSHarrowen::GetMouseState().position;
    state.accumulator = 0;
    state.tracking = true;
    if (NSHarrowen::GetModifierKeys().IsControlOrCommandDown()) {
        BeginMorphTarget();
    } else {
        state.target = CDragState::kValue;
        state.startValue = value_;
    }
    return true;
}

void CPnlControl::BeginMorphDrag()
{
    if (!CaptureMouse()) {
        return;
    }
    CDragState& state = DragState();
    state.tracking = true;
    if (GetContainer()->AssignToToolbarMorphGroup(*this, 0)) {
        state.startMorph = GetContainer()->GetMorphAmount(*this);
        state.target = CDragState::kMorph;
        state.start = NSHarrowen::GetMouseState().position;
        state.accumulator = 0;
    }
}

void CPnlControl::EndDrag()
{
    if (HasMouseCapture()) {
        ReleaseMouse();
        CDragState& state = DragState();
        state.tracking = false;
        state.target = CDragState::kNone;
        state.direction = CDragState::kNoDirection;
    }
}

void CPnlControl::LinearDrag(int axis)
{
    if (!HasMouseCapture() || steps_ == 0) {
        return;
    }
    CDragState& state = DragState();
    const CPoint p = NSHarrowen::GetMouseState().position;
    const int16_t delta =
        axis == 0 ? static_cast<int16_t>(p.x - state.start.x) : static_cast<int16_t>(state.start.y - p.y);
    // Only a move taken from the events is given back: a step that has not
    // seen the desktop's newest move yet would warp the pointer back over
    // it, and the move, then followed by the warp's own, would be lost.
    if (p == state.start) {
        return;
    }
    state.accumulator += delta;
    // The pointer stays put while the value moves: no screen edge limits the drag.
    WarpPointer(state.start);
    const int s = steps_;
    if (state.target == CDragState::kValue) {
        const int b = state.startValue;
        int n = LinearTarget(b, s, state.accumulator);
        if (n < 0) {
            n = 0;
            state.accumulator = static_cast<int32_t>(std::floor(b * -256.0 / s)) - 1;
        } else if (n > s) {
            n = s;
            state.accumulator = static_cast<int32_t>(std::ceil((s - b) * 256.0 / s)) + 1;
        }
        if (n != value_) {
            GetContainer()->ChangeValue(*this, static_cast<uint8_t>(std::min(n, 127)));
        }
    } else if (state.target == CDragState::kMorph) {
        const int m0 = state.startMorph;
        const int v = value_;
        int m = LinearTarget(m0, s, state.accumulator);
        if (v + m < 0) {
            m = -v;
            state.accumulator = static_cast<int32_t>(std::floor((v + m0) * -256.0 / s)) - 1;
        } else if (v + m > s) {
            m = s - v;
            state.accumulator = static_cast<int32_t>(std::ceil((s - v - m0) * 256.0 / s)) + 1;
        }
        if (m != GetContainer()->GetMorphAmount(*this)) {
            GetContainer()->ChangeMorph(*this, static_cast<int8_t>(m));
        }
    }
}

void CPnlControl::EndMouseTracking()
{
    CDragState& state = DragState();
    state.tracking = false;
    state.target = CDragState::kNone;
    state.direction = CDragState::kNoDirection;
    if (HasMouseCapture()) {
        GetContainer()->EndEdit(*this);
    }
    CPanelItem::EndMouseTracking();
}

void CPnlControl::CaptureLost()
{
    // The release never comes: what the press changed is kept as one step to
    // undo, and the drag's state goes with the capture.
    MouseUp();
    CDragState& state = DragState();
    state.tracking = false;
    state.target = CDragState::kNone;
    state.direction = CDragState::kNoDirection;
}

void CPnlControl::MouseEnter()
{
    GetContainer()->ShowValueBox(*this);
}

void CPnlControl::MouseLeave()
{
    GetContainer()->HideValueBox(*this);
}

void CPnlControl::GetCursor()
{
    if (DragState().tracking) {
        NSHarrowen::SetCursorFromResource(kDragCursor);
    } else {
        NSHarrowen::SetArrowCursor();
    }
}

void CPnlControl::ContextClick(CPoint where)
{
    if (NSHarrowen::GetHoverView() == this) {
        GetContainer()->ShowContextMenu(*this, where);
    }
}
