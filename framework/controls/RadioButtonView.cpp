#include "framework/controls/RadioButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/controls/ControlLogic.h"
#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"

namespace NSHarrowen {

CRadioButtonView::CRadioButtonView(CRadioButtonGroupView* group, const std::string& title)
    : CCheckableButtonView(group, kTitledFrame, ENativeClass::RadioButton)
{
    SetPassesFocusToParent(true);
    CreateNative(platform::kButtonClass, title, platform::ctlstyle::RadioButton);
}

CRadioButtonView::CRadioButtonView(CRadioButtonGroupView* group, const CDialogItem& item)
    : CCheckableButtonView(group, item.rect, ENativeClass::RadioButton)
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
    if (window && GetBusyCount() == 0 && platform::GetCapture() == 0 && IsChecked() && Group() &&
        window->GetFocusView() == Group() && platform::GetFocus() != GetHandle())
        platform::SetFocus(GetHandle());
}

} // namespace NSHarrowen
