#include "framework/views/PagedGroupView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/controls/ControlLogic.h"
#include "framework/drawing/EdgeDrawing.h"

namespace NSHarrowen {

CPagedGroupView::CPagedGroupView(CGroupView* parent) : CGroupView(parent) { }

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
    if (page_ && GetFrame().Contains(event.GetPoint()) && page_->GetFrame().Contains(event.GetPoint()) &&
        page_->IsEnabled())
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
            child->SetFrame(
                CRect(kHiddenPosition, kHiddenPosition, kHiddenPosition + f.Width(), kHiddenPosition + f.Height()));
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
