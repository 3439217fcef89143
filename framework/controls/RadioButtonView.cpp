#include "framework/controls/RadioButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/controls/ControlLogic.h"
#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"

namespace NSHarrowen {

CRadioButtonView::CRadioButtonView(CRadioButtonGroupView* group, const std::string& title)
    : CNativeControlView(group, CRect(kOffscreen.left, kOffscreen.top, kOffscreen.left + 100, kOffscreen.top + 16),
                         ENativeClass::RadioButton)
{
    SetPassesFocusToParent(true);
    CreateNative(platform::kButtonClass, title, platform::ctlstyle::RadioButton);
}

CRadioButtonView::CRadioButtonView(CRadioButtonGroupView* group, const CDialogItem& item)
    : CNativeControlView(group, item.rect, ENativeClass::RadioButton)
{
    SetPassesFocusToParent(true);
    CreateNative(platform::kButtonClass, item.text, platform::ctlstyle::RadioButton);
}

CRadioButtonGroupView* CRadioButtonView::Group() const
{
    return dynamic_cast<CRadioButtonGroupView*>(GetParent());
}

platform::LResult CRadioButtonView::HandleControlMessage(uint32_t, platform::WParam, platform::LParam)
{
    if (CRadioButtonGroupView* group = Group())
        group->ReportPick(static_cast<int16_t>(group->IndexOf(this)));
    return 0;
}

void CRadioButtonView::HandleArrowKey(bool forward)
{
    if (CRadioButtonGroupView* group = Group())
        group->PickNeighbour(forward);
}

void CRadioButtonView::HandleBroadcast()
{
    CABCWindow* window = GetWindow();
    if (window && GetBusyCount() == 0 && platform::GetCapture() == 0 && checked_ && Group() &&
        window->GetFocusView() == Group() && platform::GetFocus() != GetHandle())
        platform::SetFocus(GetHandle());
}

void CRadioButtonView::UpdateDisplay()
{
    platform::SendMessage(GetHandle(), platform::ctlmsg::ButtonSetCheck, checked_ ? 1 : 0, 0);
    SyncEnabled();
}

} // namespace NSHarrowen
