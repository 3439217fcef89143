#include "panels/widgets/TextPushButton.h"

CTextPushButton::CTextPushButton(NSHarrowen::CGroupView* parent, const std::string& label, Form form,
                                 const std::string& tooltip)
    : CPanelFormControl(parent, form), painter_(*this, label)
{
    if (form == Form::Window) {
        SetToolTip(tooltip);
    }
}

bool CTextPushButton::WasPushed()
{
    const bool pushed = pushed_;
    pushed_ = false;
    return pushed;
}

void CTextPushButton::MouseDown(const NSHarrowen::CEvent& event)
{
    if (!CaptureMouse()) {
        return;
    }
    raised_ = false;
    pushed_ = true;
    RunUpdate();
    CPanelFormControl::MouseDown(event);
}

void CTextPushButton::MouseStillDown()
{
    if (!HasMouseCapture()) {
        return;
    }
    ReleaseMouse();
    raised_ = true;
    RunUpdate();
}

void CTextPushButton::Draw()
{
    painter_.Draw(GetFrame());
}

void CTextPushButton::UpdateDisplay()
{
    if (painter_.raised != raised_) {
        painter_.raised = raised_;
        InvalidateFrame();
    }
}
