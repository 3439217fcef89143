#include "editor/windows/SplitterView.h"

#include "editor/windows/DirectionButton.h"
#include "framework/input/Event.h"
#include "framework/input/MouseState.h"
#include "framework/windows/ABCWindow.h"

#include <utility>

using namespace NSHarrowen;

namespace {

// The bar's middle follows the pointer.
constexpr int16_t kGrabOffset = 5;

} // namespace

CPatchView::CSplitterView::CSplitterView(CGroupView* parent)
    : CGroupView(parent), toTop_(new CDirectionButton(this, kToTopPicture)),
      toBottom_(new CDirectionButton(this, kToBottomPicture)), restore_(new CDirectionButton(this, kRestorePicture)),
      painter_(*this)
{
    RegisterCursorResource(kBarCursor, platform::CursorShape::SizeNS);
    SetOpaqueMode(kOpaqueFrame);
    // Wherever the bar goes it is drawn anew: the window may have been
    // updated between the header's change and its layout.
    SetFrameChangeRedraw(kRedrawOldAndNew);
}

CPatchView::CDirectionButton& CPatchView::CSplitterView::GetButton(int index) const
{
    CDirectionButton* const buttons[] = {toTop_, toBottom_, restore_};
    return *buttons[index];
}

bool CPatchView::CSplitterView::AtTop() const
{
    const CGroupView* parent = GetParent();
    return parent && GetFrame().top == parent->GetFrame().top;
}

bool CPatchView::CSplitterView::AtBottom() const
{
    const CGroupView* parent = GetParent();
    return parent && GetFrame().bottom == parent->GetFrame().bottom;
}

void CPatchView::CSplitterView::RememberPosition()
{
    if (!AtTop() && !AtBottom())
        remembered_ = GetFrame().top;
}

bool CPatchView::CSplitterView::TakeSplitRequest(int16_t currentSplit, int16_t& position)
{
    if (dragging_ && target_ != currentSplit) {
        position = target_;
        return true;
    }
    if (std::exchange(pending_, false)) {
        position = target_;
        return true;
    }
    return false;
}

void CPatchView::CSplitterView::RequestTopOrRestore()
{
    (AtTop() ? restoreRequest_ : topRequest_) = true;
}

void CPatchView::CSplitterView::RequestBottomOrRestore()
{
    (AtBottom() ? restoreRequest_ : bottomRequest_) = true;
}

void CPatchView::CSplitterView::HandleBroadcast()
{
    CGroupView::HandleBroadcast();
    if (!dragging_)
        return;
    const int16_t y = GetMousePosition().y;
    if (y != target_) {
        target_ = static_cast<int16_t>(y - kGrabOffset);
        UpdateAllWindows();
    }
}

void CPatchView::CSplitterView::MouseDown(const CEvent& event)
{
    const CPoint where = event.GetPoint();
    for (const CDirectionButton* button : {toTop_, toBottom_, restore_})
        if (button->ContainsPoint(where)) {
            CGroupView::MouseDown(event);
            return;
        }
    RememberPosition();
    dragging_ = true;
    target_ = where.y;
    CaptureMouse();
}

void CPatchView::CSplitterView::MouseStillDown()
{
    if (HasMouseCapture())
        ReleaseMouse();
    dragging_ = false;
}

void CPatchView::CSplitterView::GetCursor()
{
    SetCursorFromResource(kBarCursor);
}

void CPatchView::CSplitterView::RequestEdge(int16_t edge)
{
    target_ = edge;
    pending_ = true;
    RememberPosition();
}

void CPatchView::CSplitterView::ReceiveNotifications()
{
    CGroupView::ReceiveNotifications();
    const CGroupView* parent = GetParent();
    if (!parent)
        return;
    if (toTop_->TakeClick() || std::exchange(topRequest_, false))
        RequestEdge(parent->GetFrame().top);
    if (toBottom_->TakeClick() || std::exchange(bottomRequest_, false))
        RequestEdge(parent->GetFrame().bottom);
    if ((restore_->TakeClick() || std::exchange(restoreRequest_, false)) && remembered_ != 0) {
        target_ = remembered_;
        pending_ = true;
    }
}

void CPatchView::CSplitterView::LayoutChildren()
{
    const CRect frame = GetFrame();
    int16_t left = frame.left;
    for (CDirectionButton* button : {toTop_, toBottom_, restore_}) {
        button->SetFrame(CRect(left, frame.top, static_cast<int16_t>(left + CDirectionButton::kSize),
                               static_cast<int16_t>(frame.top + CDirectionButton::kSize)));
        left = static_cast<int16_t>(left + CDirectionButton::kSize);
    }
}

void CPatchView::CSplitterView::DrawBackground()
{
    CRect bar = GetFrame();
    bar.left = static_cast<int16_t>(bar.left + 3 * CDirectionButton::kSize);
    painter_.Draw(bar);
}
