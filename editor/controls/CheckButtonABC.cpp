#include "editor/controls/CheckButtonABC.h"

#include "framework/windows/ABCWindow.h"
#include "panels/painters/ButtonGUI.h"

CCheckButtonABC::CCheckButtonABC(NSHarrowen::CGroupView* parent, const std::string& tooltip) : CControlView(parent)
{
    SetToolTip(tooltip);
}

CCheckButtonABC::~CCheckButtonABC()
{
    if (HasMouseCapture())
        ReleaseMouse();
}

bool CCheckButtonABC::TakeChange(uint8_t& value)
{
    if (!pending_)
        return false;
    pending_ = false;
    value = requested_;
    return true;
}

void CCheckButtonABC::MouseDown(const NSHarrowen::CEvent& event)
{
    if (!CaptureMouse())
        return;
    pending_ = true;
    requested_ = on_ ? 0 : 1;
    NSHarrowen::UpdateAllWindows();
    CControlView::MouseDown(event);
}

void CCheckButtonABC::MouseStillDown()
{
    if (HasMouseCapture())
        ReleaseMouse();
}

void CCheckButtonABC::Draw()
{
    Painter().Draw(GetFrame());
}

void CCheckButtonABC::UpdateDisplay()
{
    CABCButtonGUI& painter = Painter();
    if (painter.raised == on_) {
        painter.raised = !on_;
        InvalidateFrame();
    }
}
