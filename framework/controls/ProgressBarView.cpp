#include "framework/controls/ProgressBarView.h"

#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"

namespace NSHarrowen {

CProgressBarView::CProgressBarView(CGroupView* parent, const CDialogItem& item)
    : CNativeControlView(parent, CRect(item.rect.left, item.rect.top - 1, item.rect.right, item.rect.bottom + 2),
                         ENativeClass::Progress)
{
    SetOpaqueMode(kOpaqueRect);
    CreateNative(platform::kProgressClass, "", 0);
    platform::SendMessage(GetHandle(), platform::ctlmsg::ProgressSetRange, 0, platform::MakeLParam(0, 1000));
}

CRect CProgressBarView::NativeRectFor(const CRect& frame) const
{
    constexpr int kInset = (16 - 12) / 2; // a 12-pixel bar in a 16-pixel frame
    return CRect(frame.left, frame.top + kInset, frame.right, frame.bottom - kInset);
}

void CProgressBarView::UpdateDisplay()
{
    const int32_t wanted = ProgressPosition(value_);
    if (platform::SendMessage(GetHandle(), platform::ctlmsg::ProgressGetPos, 0, 0) != wanted)
        platform::SendMessage(GetHandle(), platform::ctlmsg::ProgressSetPos, static_cast<platform::WParam>(wanted), 0);
    SyncEnabled();
}

} // namespace NSHarrowen
