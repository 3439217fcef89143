#include "panels/widgets/PanelFormControl.h"

#include "framework/views/GroupView.h"
#include "framework/windows/ABCWindow.h"

CPanelFormControl::CPanelFormControl(NSHarrowen::CGroupView* parent, Form form) : CControlView(parent), form_(form)
{
    if (form_ == Form::Panel) {
        SetFrameChangeRedraw(NSHarrowen::kRedrawNothing);
    }
}

CPanelFormControl::~CPanelFormControl()
{
    if (HasMouseCapture()) {
        ReleaseMouse();
    }
    if (form_ == Form::Panel && GetParent() != nullptr) {
        GetParent()->RemoveChild(this);
    }
}

void CPanelFormControl::RunUpdate()
{
    if (form_ == Form::Panel) {
        if (GetParent() != nullptr) {
            GetParent()->ReceiveNotifications();
        }
        UpdateDisplay();
    } else {
        NSHarrowen::UpdateAllWindows();
    }
}
