#include "editor/controls/SlotButton.h"

#include "framework/windows/ABCWindow.h"

using NSHarrowen::CRect;

CSlotButton::CSlotButton(NSHarrowen::CGroupView* parent, const char* label)
    : CControlView(parent), painter_(*this, label)
{
    SetToolTip({});
}

CSlotButton::~CSlotButton()
{
    if (HasMouseCapture())
        ReleaseMouse();
}

bool CSlotButton::TakeClick(uint8_t& value, uint8_t& controlKey)
{
    if (!pending_)
        return false;
    pending_ = false;
    value = requested_;
    controlKey = controlKey_;
    return true;
}

void CSlotButton::MouseDown(const NSHarrowen::CEvent& event)
{
    if (CaptureMouse()) {
        pending_ = true;
        requested_ = on_ ? 0 : 1;
        controlKey_ = event.GetModifiers().IsControlOrCommandDown() ? 1 : 0;
        NSHarrowen::UpdateAllWindows();
    }
    CControlView::MouseDown(event);
}

void CSlotButton::MouseStillDown()
{
    if (HasMouseCapture())
        ReleaseMouse();
}

void CSlotButton::Draw()
{
    painter_.Draw(GetFrame());
}

void CSlotButton::UpdateDisplay()
{
    const bool shownNow = IsShown();
    if (shownNow == !hidden_ && painter_.highlight == lit_ && painter_.raised == !on_)
        return;
    InvalidateFrame();
    if (hidden_ && shownNow)
        MoveTo(NSHarrowen::CPoint(kHiddenPosition, kHiddenPosition));
    else if (!hidden_ && !shownNow)
        SetFrame(home_);
    painter_.raised = !on_;
    painter_.highlight = lit_;
    InvalidateFrame();
}

void CSlotButton::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    if (newFrame.left != kHiddenPosition)
        home_ = newFrame;
    CControlView::FrameChanged(oldFrame, newFrame);
}
