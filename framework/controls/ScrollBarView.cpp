#include "framework/controls/ScrollBarView.h"

#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"

namespace NSHarrowen {

namespace {

CRect ScrollBarFrame(int32_t orientation)
{
    const int thickness = platform::GetSystemMetric(platform::Metric::ScrollBarWidth);
    const CRect& o = CNativeControlView::kOffscreen;
    return orientation == 0 ? CRect(o.left, o.top, o.left + thickness, o.top + 100)
                            : CRect(o.left, o.top, o.left + 100, o.top + thickness);
}

uint32_t ScrollBarStyle(int32_t orientation)
{
    return orientation == 0 ? platform::ctlstyle::ScrollVertical : platform::ctlstyle::ScrollHorizontal;
}

} // namespace

CScrollBarView::CScrollBarView(CGroupView* parent, int32_t orientation)
    : CNativeControlView(parent, ScrollBarFrame(orientation), ENativeClass::ScrollBar)
{
    CreateNative(platform::kScrollBarClass, "HarrowenScrollbar", ScrollBarStyle(orientation));
    platform::SendMessage(GetHandle(), platform::ctlmsg::ScrollSetRange, 0, kScrollBarMaximum);
}

void CScrollBarView::SetValue(int16_t position)
{
    position_ = std::clamp<int16_t>(position, 0, kScrollBarMaximum);
}

void CScrollBarView::HandleScrollCommand(const CKeyEvent& event)
{
    if (const auto request = ScrollRequestFromKey(event))
        changed_.Publish(*request, RunUpdatePasses);
}

platform::LResult CScrollBarView::HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam)
{
    if (message != platform::msg::HScroll && message != platform::msg::VScroll)
        return 0;
    const auto track = static_cast<int16_t>(platform::HighWordOf(wParam));
    if (const auto request = ScrollRequestFromCode(platform::LowWordOf(wParam), track))
        changed_.Publish(*request, RunUpdatePasses);
    return 0;
}

void CScrollBarView::UpdateDisplay()
{
    if (platform::SendMessage(GetHandle(), platform::ctlmsg::ScrollGetPos, 0, 0) != position_)
        platform::SendMessage(GetHandle(), platform::ctlmsg::ScrollSetPos, static_cast<platform::WParam>(position_), 1);
    SyncEnabled();
}

void CScrollBarView::Draw()
{
    if (!IsTracking())
        CNativeControlView::Draw();
}

CScrollBarView2::CScrollBarView2(CGroupView* parent, int32_t orientation)
    : CNativeControlView(parent, ScrollBarFrame(orientation), ENativeClass::ScrollBar)
{
    CreateNative(platform::kScrollBarClass, "HarrowenScrollbar", ScrollBarStyle(orientation));
    platform::SendMessage(GetHandle(), platform::ctlmsg::ScrollSetRange, 0, 665);
}

platform::LResult CScrollBarView2::HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam)
{
    if (message != platform::msg::HScroll && message != platform::msg::VScroll)
        return 0;
    const uint16_t code = platform::LowWordOf(wParam);
    if (code == platform::scroll::ThumbPosition || code > platform::scroll::Bottom)
        return 0;
    platform::ScrollInfo info;
    info.mask = platform::ScrollInfo::kTrackPos;
    platform::SendMessage(GetHandle(), platform::ctlmsg::ScrollGetInfo, 0, reinterpret_cast<platform::LParam>(&info));
    if (const auto range = ApplyScrollCode(range_, code, info.trackPosition))
        changed_.Publish(*range, RunUpdatePasses);
    return 0;
}

void CScrollBarView2::UpdateDisplay()
{
    if (range_.IsAllVisible()) {
        if (platform::IsWindowEnabled(GetHandle())) {
            platform::EnableWindow(GetHandle(), false);
            InvalidateFrame();
        }
        return;
    }
    platform::ScrollInfo info;
    platform::SendMessage(GetHandle(), platform::ctlmsg::ScrollGetInfo, 0, reinterpret_cast<platform::LParam>(&info));
    const auto page = static_cast<unsigned>(range_.GetPage());
    if (info.minimum != range_.GetMinimum() || info.maximum != range_.GetMaximum() || info.page != page ||
        info.position != range_.GetFirst()) {
        platform::ScrollInfo wanted;
        wanted.mask = platform::ScrollInfo::kRange | platform::ScrollInfo::kPage | platform::ScrollInfo::kPos;
        wanted.minimum = range_.GetMinimum();
        wanted.maximum = range_.GetMaximum();
        wanted.page = page;
        wanted.position = range_.GetFirst();
        platform::SendMessage(GetHandle(), platform::ctlmsg::ScrollSetInfo, 0,
                              reinterpret_cast<platform::LParam>(&wanted));
    }
    SyncEnabled();
}

void CScrollBarView2::Draw()
{
    if (!IsTracking())
        CNativeControlView::Draw();
}

} // namespace NSHarrowen
