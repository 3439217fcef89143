#include "framework/controls/CheckBoxView.h"

#include "platform/controls/Controls.h"

namespace NSHarrowen {

CCheckBoxView::CCheckBoxView(CGroupView* parent, const std::string& title)
    : CCheckableButtonView(parent, kTitledFrame, ENativeClass::CheckBox)
{
    SetFocusable(true);
    CreateNative(platform::kButtonClass, title, platform::ctlstyle::CheckBox);
}

CCheckBoxView::CCheckBoxView(CGroupView* parent, const CDialogItem& item)
    : CCheckableButtonView(parent, item.rect, ENativeClass::CheckBox)
{
    SetFocusable(true);
    CreateNative(platform::kButtonClass, item.text, platform::ctlstyle::CheckBox);
}

platform::LResult CCheckBoxView::HandleControlMessage(uint32_t, platform::WParam, platform::LParam)
{
    clicked_.Publish(true, RunUpdatePasses);
    return 0;
}

} // namespace NSHarrowen
