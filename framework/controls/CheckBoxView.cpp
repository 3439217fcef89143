#include "framework/controls/CheckBoxView.h"

#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"

namespace NSHarrowen {

CCheckBoxView::CCheckBoxView(CGroupView* parent, const std::string& title)
    : CNativeControlView(parent, CRect(kOffscreen.left, kOffscreen.top, kOffscreen.left + 100, kOffscreen.top + 16),
                         ENativeClass::CheckBox)
{
    SetFocusable(true);
    CreateNative(platform::kButtonClass, title, platform::ctlstyle::CheckBox);
}

CCheckBoxView::CCheckBoxView(CGroupView* parent, const CDialogItem& item)
    : CNativeControlView(parent, item.rect, ENativeClass::CheckBox)
{
    SetFocusable(true);
    CreateNative(platform::kButtonClass, item.text, platform::ctlstyle::CheckBox);
}

platform::LResult CCheckBoxView::HandleControlMessage(uint32_t, platform::WParam, platform::LParam)
{
    clicked_.Publish(true, RunUpdatePasses);
    return 0;
}

void CCheckBoxView::UpdateDisplay()
{
    platform::SendMessage(GetHandle(), platform::ctlmsg::ButtonSetCheck, checked_ ? 1 : 0, 0);
    SyncEnabled();
}

} // namespace NSHarrowen
