#include "framework/views/ScrollView.h"

#include "framework/windows/ABCWindow.h"

#include <climits>

namespace NSHarrowen {

CScrollView::CScrollView(CGroupView* parent) : CScrollView(parent, CRect()) { }

CScrollView::CScrollView(CGroupView* parent, const CRect& frame)
    : CGroupView(parent, frame), vertical_(INT_MIN, INT_MAX), horizontal_(INT_MIN, INT_MAX)
{
    SetFrameChangeRedraw(kRedrawDifference);
    vertical_.SetVisible(0, 0);
    horizontal_.SetVisible(0, 0);
}

void CScrollView::SetVerticalPosition(int32_t value)
{
    vertical_.SetVisible(value, vertical_.GetLast());
}

CRect CScrollView::GetContentRect() const
{
    CRect r = GetFrame();
    r.Offset(-shownX_, -shownY_);
    return r;
}

void CScrollView::UpdateDisplay()
{
    CGroupView::UpdateDisplay();
    const auto x = static_cast<int16_t>(horizontal_.GetFirst());
    const auto y = static_cast<int16_t>(vertical_.GetFirst());
    if (x == shownX_ && y == shownY_)
        return;
    const int16_t dx = static_cast<int16_t>(shownX_ - x);
    const int16_t dy = static_cast<int16_t>(shownY_ - y);
    shownX_ = x;
    shownY_ = y;
    if (CABCWindow* window = GetWindow()) {
        window->UpdateNow();
        window->ScrollRect(GetFrame(), dx, dy);
    }
    Relayout();
}

void CScrollView::Draw()
{
    CABCWindow* window = GetWindow();
    const platform::Region* clip = window ? window->GetClipRegion() : nullptr;
    const platform::Region saved = clip ? *clip : platform::Region();
    const bool hadClip = clip != nullptr;
    CGroupView::Draw();
    if (window)
        window->SetClipRegion(hadClip ? &saved : nullptr);
}

} // namespace NSHarrowen
