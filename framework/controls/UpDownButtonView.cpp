#include "framework/controls/UpDownButtonView.h"

#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"

namespace NSHarrowen {

CUpDownButtonView::CUpDownButtonView(CGroupView* parent, const CDialogItem& item)
    : CNativeControlView(parent, item.rect, ENativeClass::UpDown)
{
    CreateNative(platform::kUpDownClass, "", platform::ctlstyle::UpDownWrap);
    platform::SendMessage(GetHandle(), platform::ctlmsg::UpDownSetRange32, 0, 1000);
    platform::SendMessage(GetHandle(), platform::ctlmsg::UpDownSetPos32, 0, 0);
}

bool CUpDownButtonView::TakeStep(int16_t& step)
{
    if (!stepped_.Take(step))
        return false;
    return true;
}

platform::LResult CUpDownButtonView::HandleControlMessage(uint32_t message, platform::WParam, platform::LParam lParam)
{
    if (message != platform::msg::Notify || lParam == 0)
        return 0;
    const auto* note = reinterpret_cast<const platform::UpDownNotify*>(lParam);
    if (note->header.code == platform::kUpDownDeltaPos && note->delta != 0)
        stepped_.Publish(static_cast<int16_t>(note->delta), RunUpdatePasses);
    return 0;
}

} // namespace NSHarrowen
