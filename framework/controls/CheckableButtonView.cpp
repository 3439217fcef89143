#include "framework/controls/CheckableButtonView.h"

#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"

namespace NSHarrowen {

void CCheckableButtonView::UpdateDisplay()
{
    platform::SendMessage(GetHandle(), platform::ctlmsg::ButtonSetCheck, checked_ ? 1 : 0, 0);
    SyncEnabled();
}

} // namespace NSHarrowen
