#include "panels/items/PnlStepButton.h"

#include "panels/items/DragState.h"
#include "panels/painters/IncDecButtonGUI.h"
#include "panels/panel/ControlContainerInterface.h"

CPnlStepButtonABC::CPnlStepButtonABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width,
                                     int16_t height)
    : CPnlControl(parent, x, y)
{
    SetItemSize(width, height);
}

CPnlStepButtonABC::~CPnlStepButtonABC() = default;

bool CPnlStepButtonABC::OnMouseDown(int16_t x, int16_t y)
{
    GetContainer()->BeginEdit(*this);
    PressArrow(x, y);
    return true;
}

bool CPnlStepButtonABC::OnDoubleClick(int16_t x, int16_t y)
{
    GetContainer()->TouchControl(*this);
    PressArrow(x, y);
    return true;
}

void CPnlStepButtonABC::PressArrow(int16_t x, int16_t y)
{
    if (IsDecrementHalf(x, y)) {
        arrowHighlight_ = 2;
        BeginRepeat(CDragState::kDown);
    } else {
        arrowHighlight_ = 1;
        BeginRepeat(CDragState::kUp);
    }
}

void CPnlStepButtonABC::MouseUp()
{
    arrowHighlight_ = 0;
    EndRepeat();
    GetContainer()->EndEdit(*this);
    UpdateDisplay();
}

void CPnlStepButtonABC::HandleBroadcast()
{
    RepeatTick();
}

void CPnlStepButtonABC::EndMouseTracking()
{
    arrowHighlight_ = 0;
    CPnlControl::EndMouseTracking();
}

void CPnlStepButtonABC::Draw()
{
    painter_->Draw(GetFrame());
}

void CPnlStepButtonABC::UpdateDisplay()
{
    CControlContainerInterface& container = *GetContainer();
    const uint8_t group = container.GetMorphGroup(*this);
    const bool focus = container.HasParamFocus(*this);
    CIncDecButtonGUIABC& painter = *painter_;
    if (painter.group == group && painter.alternateLook == focus && painter.displayState == arrowHighlight_) {
        return;
    }
    painter.group = group;
    painter.alternateLook = focus;
    painter.displayState = arrowHighlight_;
    InvalidateFrame();
}

CPnlUpDownButton::CPnlUpDownButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlStepButtonABC(parent, x, y, 11, 21)
{
    SetPainter(std::make_unique<CUpDownButtonGUI>(*this));
}

bool CPnlUpDownButton::IsDecrementHalf(int16_t, int16_t y) const
{
    return y >= GetFrame().top + 10;
}

CPnlLeftRightButton::CPnlLeftRightButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlStepButtonABC(parent, x, y, 21, 11)
{
    SetPainter(std::make_unique<CLeftRightButtonGUI>(*this));
}

bool CPnlLeftRightButton::IsDecrementHalf(int16_t x, int16_t) const
{
    return x <= GetFrame().left + 10;
}

void CPnlStepButtonABC::SetPainter(std::unique_ptr<CIncDecButtonGUIABC> painter)
{
    painter_ = std::move(painter);
}
