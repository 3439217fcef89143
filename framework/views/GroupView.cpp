#include "framework/views/GroupView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/RegionHandle.h"

namespace NSHarrowen {

namespace {

bool Touches(const CABCWindow* window, const CView* view)
{
    return !window || window->TouchesClipRegion(view->GetFrame());
}

} // namespace

CGroupView::CGroupView(CGroupView* parent) : CView(parent)
{
    SetOpaqueMode(kOpaqueNothing);
    SetFrameChangeRedraw(kRedrawNothing);
}

CGroupView::CGroupView(CGroupView* parent, const CRect& frame) : CView(parent, frame)
{
    SetOpaqueMode(kOpaqueNothing);
    SetFrameChangeRedraw(kRedrawNothing);
}

CGroupView::~CGroupView()
{
    // Children that outlive the group must not point at it.
    while (head_) {
        Node* node = head_;
        head_ = node->next;
        node->view->parent_ = nullptr;
        delete node;
    }
    tail_ = nullptr;
}

template <typename F> void CGroupView::ForEachChild(F f) const
{
    // A child may remove itself while it is called: take the next one first.
    for (Node* node = head_; node;) {
        Node* next = node->next;
        f(node->view);
        node = next;
    }
}

void CGroupView::AddChild(CView* view)
{
    if (!view || view->parent_)
        return;
    Node* node = new Node{view, nullptr};
    if (tail_)
        tail_->next = node;
    else
        head_ = node;
    tail_ = node;
    view->parent_ = this;
}

void CGroupView::RemoveChild(CView* view)
{
    Node* previous = nullptr;
    for (Node* node = head_; node; previous = node, node = node->next) {
        if (node->view != view)
            continue;
        (previous ? previous->next : head_) = node->next;
        if (tail_ == node)
            tail_ = previous;
        delete node;
        view->parent_ = nullptr;
        return;
    }
}

void CGroupView::DeleteChildren()
{
    while (head_) {
        CView* child = head_->view;
        delete child; // its destructor takes it out of the list
        if (head_ && head_->view == child)
            RemoveChild(child);
    }
}

int CGroupView::CountChildren() const
{
    int count = 0;
    for (Node* node = head_; node; node = node->next)
        ++count;
    return count;
}

CView* CGroupView::GetChild(int index) const
{
    for (Node* node = head_; node; node = node->next, --index)
        if (index == 0)
            return node->view;
    return nullptr;
}

void CGroupView::HandleBroadcast()
{
    ForEachChild([](CView* v) { v->HandleBroadcast(); });
}

void CGroupView::MouseDown(const CEvent& event)
{
    CView::MouseDown(event);
    if (!ContainsPoint(event.GetPoint()))
        return;
    for (Node* node = head_; node; node = node->next)
        if (node->view->ContainsPoint(event.GetPoint()) && node->view->IsEnabledInHierarchy()) {
            node->view->MouseDown(event);
            return;
        }
}

void CGroupView::Draw()
{
    CABCWindow* window = GetWindow();
    CRegion area(GetFrame());
    ExcludeChildren(area);
    if (window) {
        CCanvas canvas(window);
        const platform::Region* previous = window->GetClipRegion();
        const std::optional<platform::Region> saved = previous ? std::optional(*previous) : std::nullopt;
        window->SetClipRegion(&area.GetRegion());
        DrawBackground();
        window->SetClipRegion(saved ? &*saved : nullptr);
    }
    ForEachChild([&](CView* v) {
        if (Touches(window, v))
            v->Draw();
    });
}

void CGroupView::UpdateDisplay()
{
    ForEachChild([](CView* v) { v->UpdateDisplay(); });
}

void CGroupView::ContextClick(CPoint where)
{
    if (!ContainsPoint(where))
        return;
    for (Node* node = head_; node; node = node->next)
        if (node->view->ContainsPoint(where)) {
            node->view->ContextClick(where);
            return;
        }
    CView::ContextClick(where);
}

void CGroupView::FrameChanged(const CRect&, const CRect&)
{
    LayoutChildren();
}

void CGroupView::ExcludeChildren(CRegion& region) const
{
    const CABCWindow* window = GetWindow();
    ForEachChild([&](CView* v) {
        if (Touches(window, v))
            v->ExcludeOpaqueArea(region);
    });
}

void CGroupView::ExcludeOpaqueArea(CRegion& region) const
{
    switch (GetOpaqueMode()) {
    case kOpaqueFrame:
        CView::ExcludeOpaqueArea(region);
        break;
    case kOpaqueRect:
    case kOpaqueRegion:
        CView::ExcludeOpaqueArea(region);
        ExcludeChildren(region);
        break;
    default:
        ExcludeChildren(region);
        break;
    }
}

void CGroupView::Relayout()
{
    LayoutChildren();
    ForEachChild([](CView* v) { v->Relayout(); });
}

void CGroupView::ReceiveNotifications()
{
    ForEachChild([](CView* v) { v->ReceiveNotifications(); });
}

void CGroupView::UpdateState()
{
    ForEachChild([](CView* v) { v->UpdateState(); });
}

CView* CGroupView::FindViewAt(int16_t x, int16_t y)
{
    if (!ContainsPoint(CPoint(x, y)))
        return GetParent();
    for (Node* node = head_; node; node = node->next)
        if (node->view->ContainsPoint(CPoint(x, y)))
            return node->view->FindViewAt(x, y);
    return this;
}

} // namespace NSHarrowen
