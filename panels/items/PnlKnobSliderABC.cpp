#include "panels/items/PnlKnobSliderABC.h"

#include "framework/input/Keyboard.h"
#include "panels/items/DragState.h"
#include "panels/painters/KnobGUI.h"
#include "panels/panel/ControlContainerInterface.h"

CPnlKnobSliderABC::CPnlKnobSliderABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width,
                                     int16_t height)
    : CPnlControl(parent, x, y)
{
    SetItemSize(width, height);
}

CPnlKnobSliderABC::~CPnlKnobSliderABC() = default;

bool CPnlKnobSliderABC::PressRegion(uint8_t region)
{
    switch (region) {
    case CDragState::kBody:
        BeginDrag();
        return true;
    case CDragState::kIncrement:
        arrowHighlight_ = 1;
        BeginRepeat(CDragState::kUp);
        return true;
    case CDragState::kDecrement:
        arrowHighlight_ = 2;
        BeginRepeat(CDragState::kDown);
        return true;
    case CDragState::kCentre:
        if (!CaptureMouse()) {
            return true;
        }
        if (NSHarrowen::GetModifierKeys().IsControlOrCommandDown()) {
            if (GetContainer()->GetMorphGroup(*this) != 4) {
                GetContainer()->ChangeMorph(*this, 0);
            }
        } else {
            const int middle = (GetStepCount() + 1) / 2;
            GetContainer()->ChangeValue(*this, static_cast<uint8_t>(GetStepCount() + 1 >= 256 ? 127 : middle));
        }
        return true;
    default:
        return false;
    }
}

bool CPnlKnobSliderABC::OnMouseDown(int16_t x, int16_t y)
{
    GetContainer()->BeginEdit(*this);
    const uint8_t region =
        HitRegion(static_cast<int16_t>(x - GetFrame().left), static_cast<int16_t>(y - GetFrame().top));
    DragState().region = region;
    arrowHighlight_ = 0;
    return PressRegion(region);
}

bool CPnlKnobSliderABC::OnDoubleClick(int16_t, int16_t)
{
    GetContainer()->TouchControl(*this);
    const uint8_t region = DragState().region;
    if (region == CDragState::kNoRegion) {
        CaptureMouse();
        return false;
    }
    if (region == CDragState::kBody) {
        BeginMorphDrag();
        return true;
    }
    return PressRegion(region);
}

void CPnlKnobSliderABC::MouseUp()
{
    arrowHighlight_ = 0;
    switch (DragState().region) {
    case CDragState::kBody:
        EndDrag();
        break;
    case CDragState::kIncrement:
    case CDragState::kDecrement:
        EndRepeat();
        break;
    default:
        if (HasMouseCapture()) {
            ReleaseMouse();
        }
        break;
    }
    GetContainer()->EndEdit(*this);
    UpdateDisplay();
}

void CPnlKnobSliderABC::HandleBroadcast()
{
    if (HasMouseCapture()) {
        Drag();
    }
}

void CPnlKnobSliderABC::EndMouseTracking()
{
    arrowHighlight_ = 0;
    CPnlControl::EndMouseTracking();
}

void CPnlKnobSliderABC::MouseEnter()
{
    DragState().hovered = this;
    GetContainer()->RefreshControl(*this);
    CPnlControl::MouseEnter();
}

void CPnlKnobSliderABC::MouseLeave()
{
    if (DragState().hovered == this) {
        DragState().hovered = nullptr;
    }
    GetContainer()->RefreshControl(*this);
    CPnlControl::MouseLeave();
}

void CPnlKnobSliderABC::Draw()
{
    painter_->Draw(GetFrame());
}

void CPnlKnobSliderABC::UpdateDisplay()
{
    RefreshPainter(false);
}

void CPnlKnobSliderABC::RefreshPainter(bool force)
{
    CControlContainerInterface* container = GetContainer();
    const uint8_t group = container->GetMorphGroup(*this);
    const int8_t morph = container->GetMorphAmount(*this);
    const bool focus = container->HasParamFocus(*this);
    const bool hovered = DragState().hovered == this;
    CABCKnobGUI& painter = *painter_;
    if (!force && group == painter.GetMorphGroup() && morph == shownMorph_ && GetValue() == shownValue_ &&
        focus == painter.GetStateByte() && arrowHighlight_ == painter.GetAuxValue() && hovered == painter.IsFocused()) {
        return;
    }
    shownValue_ = GetValue();
    shownMorph_ = morph;
    const int steps = GetStepCount();
    // A step count of 0 shows the first position.
    const int position = steps == 0 ? 0 : GetValue() * 64 / steps;
    const int end = steps == 0 ? 0 : (GetValue() + morph) * 64 / steps;
    painter.SetPosition(position);
    painter.SetMorphStart(position);
    painter.SetMorphEnd(end);
    painter.SetMorphGroup(group);
    painter.SetStateByte(focus);
    painter.SetAuxValue(arrowHighlight_);
    painter.SetFocused(hovered);
    InvalidateFrame();
}

void CPnlKnobSliderABC::SetPainter(std::unique_ptr<CABCKnobGUI> painter)
{
    painter_ = std::move(painter);
}
