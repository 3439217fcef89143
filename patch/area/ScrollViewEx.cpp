#include "patch/area/ScrollViewEx.h"

#include "framework/windows/ABCWindow.h"
#include "platform/system/Clock.h"

#include <algorithm>
#include <optional>

using namespace NSHarrowen;

CScrollViewEx::CScrollViewEx(CGroupView* parent) : CGroupView(parent) { }

CRect CScrollViewEx::GetContentRect() const
{
    CRect r = GetFrame();
    r.Offset(static_cast<int16_t>(-shownX_), static_cast<int16_t>(-shownY_));
    return r;
}

CPoint CScrollViewEx::GetContentOffset() const
{
    const CRect content = GetContentRect();
    return CPoint(content.left, content.top);
}

CPoint CScrollViewEx::GetContentExtent() const
{
    const CRect content = GetContentRect();
    int32_t right = 0;
    int32_t bottom = 0;
    ForEachChild([&](const CView* child) {
        const CRect frame = child->GetFrame();
        right = std::max<int32_t>(right, frame.right - content.left);
        bottom = std::max<int32_t>(bottom, frame.bottom - content.top);
    });
    return CPoint(static_cast<int16_t>(right + marginWidth_), static_cast<int16_t>(bottom + marginHeight_));
}

int32_t CScrollViewEx::MaxX() const
{
    return std::max<int32_t>(GetContentExtent().x - GetFrame().Width(), 0);
}

int32_t CScrollViewEx::MaxY() const
{
    return std::max<int32_t>(GetContentExtent().y - GetFrame().Height(), 0);
}

void CScrollViewEx::AfterStep()
{
    if (wantedX_ != shownX_ || wantedY_ != shownY_)
        UpdateAllWindows();
}

void CScrollViewEx::ScrollRight(uint32_t n)
{
    wantedX_ = std::clamp<int32_t>(wantedX_ + static_cast<uint8_t>(n), 0, MaxX());
    AfterStep();
}

void CScrollViewEx::ScrollLeft(uint32_t n)
{
    wantedX_ = std::max<int32_t>(wantedX_ - static_cast<uint8_t>(n), 0);
    AfterStep();
}

void CScrollViewEx::ScrollDown(uint32_t n)
{
    wantedY_ = std::clamp<int32_t>(wantedY_ + static_cast<uint8_t>(n), 0, MaxY());
    AfterStep();
}

void CScrollViewEx::ScrollUp(uint32_t n)
{
    wantedY_ = std::max<int32_t>(wantedY_ - static_cast<uint8_t>(n), 0);
    AfterStep();
}

void CScrollViewEx::ScrollTo(int32_t x, int32_t y)
{
    wantedX_ = std::clamp<int32_t>(x, 0, MaxX());
    wantedY_ = std::clamp<int32_t>(y, 0, MaxY());
}

void CScrollViewEx::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window) {
        CGroupView::Draw();
        return;
    }
    const platform::Region* previous = window->GetClipRegion();
    const std::optional<platform::Region> saved = previous ? std::optional(*previous) : std::nullopt;
    CRegion clip(GetFrame());
    if (saved)
        clip.Intersect(CRegion(*saved));
    window->SetClipRegion(&clip.GetRegion());
    CGroupView::Draw();
    window->SetClipRegion(saved ? &*saved : nullptr);
}

void CScrollViewEx::UpdateDisplay()
{
    CGroupView::UpdateDisplay();
    if (wantedX_ == shownX_ && wantedY_ == shownY_)
        return;
    WillScroll();
    CABCWindow* window = GetWindow();
    if (window)
        window->UpdateNow();
    const auto dx = static_cast<int16_t>(shownX_ - wantedX_);
    const auto dy = static_cast<int16_t>(shownY_ - wantedY_);
    shownX_ = wantedX_;
    shownY_ = wantedY_;
    Relayout();
    // The pixels move with the content; only the strip they leave is drawn.
    if (window)
        window->ScrollRect(GetFrame(), dx, dy);
    DidScroll();
}

void CScrollViewEx::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    // The offsets are kept from the frame's corner, so a move changes
    // nothing of them; a larger view pulls them back so that it shows no
    // more empty space than it must.
    const int32_t taller = newFrame.Height() - oldFrame.Height();
    const int32_t wider = newFrame.Width() - oldFrame.Width();
    if (offsetLock_ == 0) {
        if (taller > 0)
            wantedY_ -= std::min(taller, wantedY_);
        if (wider > 0)
            wantedX_ -= std::min(wider, wantedX_);
        wantedX_ = std::max(wantedX_, 0);
        wantedY_ = std::max(wantedY_, 0);
    }
    CGroupView::FrameChanged(oldFrame, newFrame);
    // A moved view is drawn anew; a grown one only where it grew.
    if (oldFrame.left != newFrame.left || oldFrame.top != newFrame.top) {
        InvalidateFrame();
    } else if (taller > 0 || wider > 0) {
        CRegion exposed(newFrame);
        exposed.SubtractRect(oldFrame);
        InvalidateRegion(exposed);
    }
}

void CScrollViewEx::BeginAutoScroll(uint16_t marginWidth, uint16_t marginHeight)
{
    zone_ = kNoZone;
    autoScroll_ = true;
    marginWidth_ = marginWidth;
    marginHeight_ = marginHeight;
}

void CScrollViewEx::EndAutoScroll()
{
    marginWidth_ = 0;
    marginHeight_ = 0;
    autoScroll_ = false;
}

void CScrollViewEx::AutoScrollStep()
{
    wantedX_ = std::clamp<int32_t>(wantedX_, 0, MaxX());
    wantedY_ = std::clamp<int32_t>(wantedY_, 0, MaxY());
    UpdateAllWindows();
}

CScrollViewEx::EZone CScrollViewEx::ZoneAt(CPoint p, int16_t& depth) const
{
    const CRect f = GetFrame();
    if (!f.Contains(p))
        return kNoZone;
    const int16_t distances[] = {
        static_cast<int16_t>(p.x - f.left),
        static_cast<int16_t>(f.right - 1 - p.x),
        static_cast<int16_t>(p.y - f.top),
        static_cast<int16_t>(f.bottom - 1 - p.y),
    };
    const EZone zones[] = {kLeft, kRight, kTop, kBottom};
    for (int i = 0; i < 4; ++i) {
        if (distances[i] < kEdgeZone) {
            depth = static_cast<int16_t>(kEdgeZone - distances[i]);
            return zones[i];
        }
    }
    return kNoZone;
}

void CScrollViewEx::ScrollToward(EZone zone, int16_t depth)
{
    switch (zone) {
    case kLeft:
        ScrollLeft(static_cast<uint32_t>(depth));
        break;
    case kRight:
        ScrollRight(static_cast<uint32_t>(depth));
        break;
    case kTop:
        ScrollUp(static_cast<uint32_t>(depth));
        break;
    case kBottom:
        ScrollDown(static_cast<uint32_t>(depth));
        break;
    case kNoZone:
        break;
    }
}

void CScrollViewEx::HandleBroadcast()
{
    CGroupView::HandleBroadcast();
    if (!autoScroll_)
        return;
    int16_t depth = 0;
    const EZone zone = ZoneAt(GetMousePosition(), depth);
    const uint64_t now = platform::NowMilliseconds();
    if (zone != zone_) {
        zone_ = zone;
        zoneEntry_ = now;
    }
    if (zone == kNoZone || now <= zoneEntry_ + kZoneDelayMs || now <= lastScroll_)
        return;
    ScrollToward(zone, depth);
    lastScroll_ = now;
}
