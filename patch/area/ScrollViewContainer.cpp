#include "patch/area/ScrollViewContainer.h"

#include "framework/controls/UpDownButtonView.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/EdgeDrawing.h"
#include "framework/windows/ABCWindow.h"
#include "patch/area/ScrollViewEx.h"
#include "platform/host/SystemMetrics.h"
#include "framework/controls/ScrollBarView.h"

using namespace NSHarrowen;

namespace {

constexpr int32_t kVertical = 0;
constexpr int32_t kHorizontal = 1;

int16_t BarThickness()
{
    return static_cast<int16_t>(platform::GetSystemMetric(platform::Metric::ScrollBarWidth));
}

// Creates or deletes a bar as it is needed.
void KeepBar(std::unique_ptr<CScrollBarView2>& bar, bool needed, CGroupView* parent, int32_t orientation)
{
    if (needed && !bar)
        bar = std::make_unique<CScrollBarView2>(parent, orientation);
    else if (!needed && bar)
        bar.reset();
}

CScrollRange BarRange(int32_t extent, int32_t first, int32_t visible)
{
    CScrollRange range(0, extent);
    range.SetVisible(first, first + visible);
    return range;
}

} // namespace

CScrollViewContainer::CScrollViewContainer(CGroupView* parent) : CGroupView(parent)
{
    SetOpaqueMode(kOpaqueFrame);
}

CScrollViewContainer::~CScrollViewContainer()
{
    horizontal_.reset();
    vertical_.reset();
    Host(nullptr);
    owned_.reset();
}

void CScrollViewContainer::SetScrollView(std::unique_ptr<CScrollViewEx> view)
{
    Host(view.get());
    owned_ = std::move(view);
}

void CScrollViewContainer::LendScrollView(CScrollViewEx* view)
{
    Host(view);
    owned_.reset();
}

void CScrollViewContainer::Host(CScrollViewEx* view)
{
    if (hosted_)
        RemoveChild(hosted_);
    hosted_ = view;
    if (hosted_) {
        AddChild(hosted_);
        LayoutChildren();
    }
}

std::unique_ptr<CScrollViewEx> CScrollViewContainer::TakeScrollView()
{
    Host(nullptr);
    return std::move(owned_);
}

CRect CScrollViewContainer::GetContentRect() const
{
    return hosted_ ? hosted_->GetBounds() : GetFrame();
}

CRect CScrollViewContainer::CornerBox() const
{
    const int16_t t = BarThickness();
    const CRect f = GetFrame();
    return CRect(static_cast<int16_t>(f.right - t), static_cast<int16_t>(f.bottom - t), f.right, f.bottom);
}

void CScrollViewContainer::InvalidateCornerBox()
{
    InvalidateRect(CornerBox());
}

void CScrollViewContainer::UpdateDisplay()
{
    CGroupView::UpdateDisplay();
    if (IsCornerBoxShown() != cornerWasShown_)
        InvalidateCornerBox();
    cornerWasShown_ = IsCornerBoxShown();
}

void CScrollViewContainer::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    CGroupView::FrameChanged(oldFrame, newFrame);
    const bool resized = oldFrame.Width() != newFrame.Width() || oldFrame.Height() != newFrame.Height();
    if (resized && IsCornerBoxShown())
        InvalidateCornerBox();
}

void CScrollViewContainer::ReceiveNotifications()
{
    CGroupView::ReceiveNotifications();
    if (!hosted_)
        return;
    CScrollRange range;
    if (horizontal_ && horizontal_->TakeChange(range))
        hosted_->ScrollTo(range.GetFirst(), hosted_->GetWantedY());
    if (vertical_ && vertical_->TakeChange(range))
        hosted_->ScrollTo(hosted_->GetWantedX(), range.GetFirst());
}

void CScrollViewContainer::UpdateState()
{
    CGroupView::UpdateState();
    if (!hosted_)
        return;
    const CPoint extent = hosted_->GetContentExtent();
    const CRect view = hosted_->GetFrame();
    if (horizontal_)
        horizontal_->SetRange(BarRange(extent.x, hosted_->GetWantedX(), view.Width()));
    if (vertical_)
        vertical_->SetRange(BarRange(extent.y, hosted_->GetWantedY(), view.Height()));
}

void CScrollViewContainer::LayoutChildren()
{
    if (!hosted_)
        return;
    const int16_t t = BarThickness();
    const CRect f = GetFrame();
    const int32_t width = f.Width();
    const int32_t height = f.Height();
    const CPoint extent = hosted_->GetContentExtent();
    // Bars are native controls of the window: none before there is one.
    const bool windowed = GetWindow() != nullptr;
    bool needH = windowed && extent.x > width && height > t;
    const bool needV = windowed && extent.y - height + (needH ? t : 0) > 0 && width > t;
    // The vertical bar takes width from the content.
    if (needV)
        needH = extent.x + t > width && height > t;
    KeepBar(horizontal_, needH, this, kHorizontal);
    KeepBar(vertical_, needV, this, kVertical);

    const int16_t innerWidth = static_cast<int16_t>(width - (needV ? t : 0));
    const int16_t innerHeight = static_cast<int16_t>(height - (needH ? t : 0));
    if (horizontal_)
        horizontal_->SetFrame(
            CRect(f.left, static_cast<int16_t>(f.bottom - t), static_cast<int16_t>(f.left + innerWidth), f.bottom));
    if (vertical_)
        vertical_->SetFrame(
            CRect(static_cast<int16_t>(f.right - t), f.top, f.right, static_cast<int16_t>(f.top + innerHeight)));
    hosted_->SetFrame(
        CRect(f.left, f.top, static_cast<int16_t>(f.left + innerWidth), static_cast<int16_t>(f.top + innerHeight)));
}

void CScrollViewContainer::DrawBackground()
{
    if (!IsCornerBoxShown() || !GetWindow())
        return;
    CCanvas canvas(GetWindow());
    const CRect box = CornerBox();
    DrawRaisedEdge(canvas, box);
    CRect inside = box;
    inside.Deflate(2);
    canvas.FillRect(inside, CColor::FromButtonFace());
}
