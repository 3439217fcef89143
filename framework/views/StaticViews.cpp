#include "framework/views/StaticViews.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/controls/ControlLogic.h"
#include "framework/drawing/EdgeDrawing.h"

namespace NSHarrowen {

CStaticTextView::CStaticTextView(CGroupView* parent, const std::string& text)
    : CView(parent, CRect(0, 0, 100, 16)), font_(GetStandardFont()), pending_(BoundedText(text, kTextCapacity))
{
    SetOpaqueMode(kOpaqueNothing); // the text lies on its parent's background
}

CStaticTextView::CStaticTextView(CGroupView* parent, const CDialogItem& item)
    : CView(parent, item.rect), font_(GetStandardFont()), pending_(BoundedText(item.text, kTextCapacity))
{
    SetOpaqueMode(kOpaqueNothing);
}

void CStaticTextView::SetFont(const CFontSpec& font)
{
    font_ = font;
    InvalidateFrame(true);
}

void CStaticTextView::SetText(const std::string& text)
{
    pending_ = BoundedText(text, kTextCapacity);
}

void CStaticTextView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    canvas.DrawTextInRect(GetFrame(), shown_.c_str(), font_, shownEnabled_ ? kBlack : CColor::FromButtonShadow());
}

void CStaticTextView::UpdateDisplay()
{
    const bool enabled = IsEnabledInHierarchy();
    if (pending_ == shown_ && enabled == shownEnabled_)
        return;
    shown_ = pending_;
    shownEnabled_ = enabled;
    InvalidateFrame();
}

CStaticBitmapView::CStaticBitmapView(CGroupView* parent, uint32_t resource, uint32_t second, uint32_t third)
    : CView(parent), image_(resource, second, third)
{
    SetOpaqueMode(kOpaqueNothing);
}

void CStaticBitmapView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    canvas.DrawImage(GetFrame().left, GetFrame().top, image_);
}

void CStaticBitmapView::UpdateDisplay()
{
    const bool enabled = IsEnabledInHierarchy();
    if (enabled != shownEnabled_) {
        shownEnabled_ = enabled;
        InvalidateFrame();
    }
}

CToolbarView::CToolbarView(CGroupView* parent) : CSolidColorGroupView(parent, CRect(0, 0, 400, 28)) {}

void CToolbarView::LayoutChildren()
{
    const CRect bar = GetFrame();
    int32_t x = bar.left + 6;
    for (int i = 0; i < CountChildren(); ++i) {
        CView* child = GetChild(i);
        const CRect f = child->GetFrame();
        const int32_t top = bar.top + (bar.Height() - f.Height()) / 2;
        child->SetFrame(CRect(x, top, x + f.Width(), top + f.Height()));
        x += f.Width();
    }
}

CToolbarSeparatorView::CToolbarSeparatorView(CGroupView* parent) : CView(parent, CRect(0, 0, 8, 28))
{
    SetOpaqueMode(kOpaqueNothing);
}

void CToolbarSeparatorView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    const CRect f = GetFrame();
    DrawEtchedVerticalLine(canvas, static_cast<int16_t>(f.left + 4), static_cast<int16_t>(f.top + 3),
                           static_cast<int16_t>(f.top + 3 + 22));
}

CPagedGroupView::CPagedGroupView(CGroupView* parent) : CGroupView(parent) {}

void CPagedGroupView::ShowPage(CView* page)
{
    page_ = page;
    LayoutChildren();
    InvalidateFrame();
}

void CPagedGroupView::ShowPageAt(int index)
{
    if (index >= 0 && index < CountChildren())
        ShowPage(GetChild(index));
}

void CPagedGroupView::Draw()
{
    if (page_)
        page_->Draw();
}

void CPagedGroupView::UpdateDisplay()
{
    if (page_)
        page_->UpdateDisplay();
}

void CPagedGroupView::HandleBroadcast()
{
    if (page_)
        page_->HandleBroadcast();
}

void CPagedGroupView::ReceiveNotifications()
{
    if (page_)
        page_->ReceiveNotifications();
}

void CPagedGroupView::UpdateState()
{
    if (page_)
        page_->UpdateState();
}

void CPagedGroupView::MouseDown(const CEvent& event)
{
    if (page_ && GetFrame().Contains(event.GetPoint()) && page_->GetFrame().Contains(event.GetPoint())
        && page_->IsEnabled())
        page_->MouseDown(event);
}

void CPagedGroupView::LayoutChildren()
{
    for (int i = 0; i < CountChildren(); ++i) {
        CView* child = GetChild(i);
        if (child == page_) {
            child->SetFrame(GetFrame());
        } else {
            const CRect f = child->GetFrame();
            child->SetFrame(CRect(kHiddenPosition, kHiddenPosition, kHiddenPosition + f.Width(),
                                  kHiddenPosition + f.Height()));
        }
    }
}

void CPagedGroupView::RemoveChild(CView* view)
{
    if (view == page_)
        page_ = nullptr;
    CGroupView::RemoveChild(view);
}

} // namespace NSHarrowen
