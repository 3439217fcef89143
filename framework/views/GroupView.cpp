#include "framework/views/GroupView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/RegionHandle.h"

#include <algorithm>

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
    DeleteChildren();
}

CGroupView::ChildList::iterator CGroupView::Find(const CView* view)
{
    return std::find_if(children_.begin(), children_.end(), [view](const Child& c) { return c.view == view; });
}

void CGroupView::AddChild(CView* view)
{
    if (!view || view->parent_)
        return;
    children_.push_back(Child{view, nullptr});
    SetParent(*view, this);
}

void CGroupView::SetParent(CView& view, CGroupView* parent)
{
    view.parent_ = parent;
    view.ParentChanged();
}

void CGroupView::Adopt(CView* view)
{
    children_.push_back(Child{view, std::unique_ptr<CView>(view)});
    SetParent(*view, this);
}

CView* CGroupView::AdoptChild(std::unique_ptr<CView> view)
{
    if (!view)
        return nullptr;
    if (CGroupView* old = view->parent_)
        old->TakeChild(view.get()).release(); // `view` holds it already
    CView* child = view.release();
    Adopt(child);
    return child;
}

void CGroupView::RemoveChild(CView* view)
{
    // The child's destructor comes here too: ownership passes to the caller,
    // never to a second delete.
    TakeChild(view).release();
}

std::unique_ptr<CView> CGroupView::TakeChild(CView* view)
{
    const auto it = Find(view);
    if (it == children_.end())
        return nullptr;
    std::unique_ptr<CView> owned = std::move(it->owned);
    children_.erase(it);
    SetParent(*view, nullptr);
    return owned;
}

void CGroupView::DeleteChildren()
{
    // Each owned child is deleted while it is still in the tree, so that it
    // leaves the window (tooltips, focus, pointers) as one deleted alone does.
    for (auto it = children_.begin(); it != children_.end();) {
        if (!it->owned) {
            ++it;
            continue;
        }
        std::unique_ptr<CView> child = std::move(it->owned);
        child.reset(); // its destructor takes it out of the list
        it = children_.begin();
    }
    for (const Child& lent : children_)
        SetParent(*lent.view, nullptr);
    children_.clear();
}

int CGroupView::CountChildren() const
{
    return static_cast<int>(children_.size());
}

CView* CGroupView::GetChild(int index) const
{
    if (index < 0 || index >= CountChildren())
        return nullptr;
    return children_[static_cast<size_t>(index)].view;
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
    for (const Child& child : children_)
        if (child.view->ContainsPoint(event.GetPoint()) && child.view->IsEnabledInHierarchy()) {
            child.view->MouseDown(event);
            return;
        }
}

void CGroupView::Draw()
{
    CABCWindow* window = GetWindow();
    if (window) {
        const platform::Region* previous = window->GetClipRegion();
        const std::optional<platform::Region> saved = previous ? std::optional(*previous) : std::nullopt;
        // The background goes only where the current clip lets it: an
        // off-screen picture has no clip of its own.
        CRegion area(GetFrame());
        if (saved)
            area.Intersect(CRegion(*saved));
        if (!area.IsEmpty()) {
            ExcludeChildren(area);
            CCanvas canvas(window);
            window->SetClipRegion(&area.GetRegion());
            DrawBackground();
            window->SetClipRegion(saved ? &*saved : nullptr);
        }
    }
    DrawChildren();
}

void CGroupView::DrawChildren()
{
    const CABCWindow* window = GetWindow();
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
    for (const Child& child : children_)
        if (child.view->ContainsPoint(where)) {
            child.view->ContextClick(where);
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
    for (const Child& child : children_)
        if (child.view->ContainsPoint(CPoint(x, y)))
            return child.view->FindViewAt(x, y);
    return this;
}

} // namespace NSHarrowen
