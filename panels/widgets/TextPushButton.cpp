#include "panels/widgets/TextPushButton.h"

#include "framework/windows/ABCWindow.h"
#include "framework/views/GroupView.h"

CTextPushButton::CTextPushButton(NSHarrowen::CGroupView* parent, const std::string& label, Form form,
                                 const std::string& tooltip)
    : CControlView(parent), painter_(*this, label), form_(form)
{
    if (form_ == Form::Panel) {
        SetFrameChangeRedraw(NSHarrowen::kRedrawNothing);
    } else {
        SetToolTip(tooltip);
    }
}

CTextPushButton::~CTextPushButton()
{
    if (HasMouseCapture()) {
        ReleaseMouse();
    }
    if (form_ == Form::Panel && GetParent() != nullptr) {
        GetParent()->RemoveChild(this);
    }
}

bool CTextPushButton::WasPushed()
{
    const bool pushed = pushed_;
    pushed_ = false;
    return pushed;
}

void CTextPushButton::RunUpdate()
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

void CTextPushButton::MouseDown(const NSHarrowen::CEvent& event)
{
    if (!CaptureMouse()) {
        return;
    }
    raised_ = false;
    pushed_ = true;
    RunUpdate();
    CControlView::MouseDown(event);
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

void CTextPushButton::Draw() { painter_.Draw(GetFrame()); }

void CTextPushButton::UpdateDisplay()
{
    if (painter_.raised != raised_) {
        painter_.raised = raised_;
        InvalidateFrame();
    }
}
