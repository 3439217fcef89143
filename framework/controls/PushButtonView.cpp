#include "framework/controls/PushButtonView.h"

#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"

namespace NSHarrowen {

CPushButtonView::CPushButtonView(CGroupView* parent, const std::string& title)
    : CNativeControlView(parent, kOffscreen, ENativeClass::PushButton)
{
    Init(title);
}

CPushButtonView::CPushButtonView(CGroupView* parent, const CDialogItem& item)
    : CNativeControlView(parent, item.rect, ENativeClass::PushButton)
{
    Init(item.text);
}

CPushButtonView::~CPushButtonView()
{
    // The dialog must not keep a button that is gone.
    if (auto* dialog = dynamic_cast<CModalDialog*>(GetWindow())) {
        if (dialog->GetDefaultButton() == this)
            dialog->SetDefaultButton(nullptr);
        if (dialog->GetCancelButton() == this)
            dialog->SetCancelButton(nullptr);
    }
}

void CPushButtonView::Init(const std::string& title)
{
    SetFocusable(true);
    SetOpaqueMode(kOpaqueRect);
    CreateNative(platform::kButtonClass, title, platform::ctlstyle::PushButton);
}

CRect CPushButtonView::NativeRectFor(const CRect& frame) const
{
    CRect r = frame;
    r.Deflate(2);
    return r;
}

void CPushButtonView::SetDefaultLook(bool isDefault)
{
    defaultLook_ = isDefault;
    platform::SendMessage(GetHandle(), platform::ctlmsg::ButtonSetStyle,
                          isDefault ? platform::ctlstyle::DefPushButton : platform::ctlstyle::PushButton, 1);
}

void CPushButtonView::Click(bool press)
{
    if (press && IsEnabledInHierarchy())
        clicked_.Publish(true, RunUpdatePasses);
}

platform::LResult CPushButtonView::HandleControlMessage(uint32_t, platform::WParam, platform::LParam)
{
    clicked_.Publish(true, RunUpdatePasses);
    return 0;
}

void CPushButtonView::UpdateDisplay()
{
    CABCWindow* window = GetWindow();
    if (window && window->GetFocusView() == this)
        if (auto* dialog = dynamic_cast<CModalDialog*>(window); dialog && dialog->GetDefaultButton() != this)
            dialog->SetDefaultButton(this);
    SyncEnabled();
}

} // namespace NSHarrowen
