#include "panels/widgets/IncDecButton.h"

#include "panels/items/DragState.h"
#include "panels/painters/IncDecButtonGUI.h"

CIncDecButtonABC::CIncDecButtonABC(NSHarrowen::CGroupView* parent, int16_t width, int16_t height, Form form)
    : CPanelFormControl(parent, form)
{
    SetSize(width, height);
}

CIncDecButtonABC::~CIncDecButtonABC() = default;

void CIncDecButtonABC::SetPainter(std::unique_ptr<CIncDecButtonGUIABC> painter)
{
    painter_ = std::move(painter);
}

bool CIncDecButtonABC::TakeEvent(int32_t& code)
{
    if (!pending_) {
        return false;
    }
    pending_ = false;
    code = code_;
    return true;
}

void CIncDecButtonABC::MouseDown(const NSHarrowen::CEvent& event)
{
    if (!CaptureMouse()) {
        return;
    }
    code_ = IsLowerHalf(event.GetPoint()) ? 2 : 1;
    pending_ = true;
    nextRepeat_ = NowMs32() + kFirstRepeatMs;
    RunUpdate();
    CPanelFormControl::MouseDown(event);
}

void CIncDecButtonABC::HandleBroadcast()
{
    const uint32_t now = NowMs32();
    if (HasMouseCapture() && TimeHasPassed(now, nextRepeat_)) {
        pending_ = true;
        nextRepeat_ = now + kRepeatMs;
        RunUpdate();
    }
}

void CIncDecButtonABC::MouseStillDown()
{
    if (!HasMouseCapture()) {
        return;
    }
    ReleaseMouse();
    EndPress();
}

void CIncDecButtonABC::CaptureLost()
{
    EndPress();
}

void CIncDecButtonABC::EndPress()
{
    code_ = 0;
    pending_ = true;
    RunUpdate();
}

void CIncDecButtonABC::Draw()
{
    painter_->Draw(GetFrame());
}

void CIncDecButtonABC::UpdateDisplay()
{
    if (painter_->displayState != displayState_) {
        painter_->displayState = displayState_;
        InvalidateFrame();
    }
}

CUpDownButton::CUpDownButton(NSHarrowen::CGroupView* parent, Form form) : CIncDecButtonABC(parent, 11, 21, form)
{
    SetPainter(std::make_unique<CUpDownButtonGUI>(*this));
}

bool CUpDownButton::IsLowerHalf(NSHarrowen::CPoint where) const
{
    return where.y >= GetFrame().top + 10;
}

CLeftRightButton::CLeftRightButton(NSHarrowen::CGroupView* parent, Form form) : CIncDecButtonABC(parent, 21, 11, form)
{
    SetPainter(std::make_unique<CLeftRightButtonGUI>(*this));
}

bool CLeftRightButton::IsLowerHalf(NSHarrowen::CPoint where) const
{
    return where.x <= GetFrame().left + 10;
}
