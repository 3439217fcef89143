#include "panels/widgets/PushButtonABC.h"

#include "panels/painters/ButtonGUI.h"

CPushButtonABC::CPushButtonABC(NSHarrowen::CGroupView* parent, Form form, const std::string& tooltip)
    : CPanelFormControl(parent, form)
{
    if (form == Form::Window) {
        SetToolTip(tooltip);
    }
}

bool CPushButtonABC::WasPushed()
{
    const bool pushed = pushed_;
    pushed_ = false;
    return pushed;
}

void CPushButtonABC::MouseDown(const NSHarrowen::CEvent& event)
{
    if (!CaptureMouse()) {
        return;
    }
    raised_ = false;
    pushed_ = true;
    RunUpdate();
    CPanelFormControl::MouseDown(event);
}

void CPushButtonABC::MouseStillDown()
{
    if (!HasMouseCapture()) {
        return;
    }
    ReleaseMouse();
    CaptureLost();
}

void CPushButtonABC::CaptureLost()
{
    raised_ = true;
    RunUpdate();
}

void CPushButtonABC::Draw()
{
    Painter().Draw(GetFrame());
}

void CPushButtonABC::UpdateDisplay()
{
    CABCButtonGUI& painter = Painter();
    if (painter.raised != raised_) {
        painter.raised = raised_;
        InvalidateFrame();
    }
}
