#pragma once

#include "framework/views/View.h"

#include <vector>
#include <memory>

namespace NSHarrowen {

// A view with children, in the order they were added. The group owns the
// children made with it as their parent and those given to AdoptChild, and
// deletes them with itself; AddChild only lends it a view, which its owner
// removes (or deletes) in time. A child deleted by someone else leaves the
// group first, so members of a subclass may be children too.
class CGroupView : public CView {
public:
    explicit CGroupView(CGroupView* parent = nullptr);
    CGroupView(CGroupView* parent, const CRect& frame);
    ~CGroupView() override;

    virtual CRect GetContentRect() const { return GetFrame(); }
    virtual void LayoutChildren() { }
    virtual void DrawBackground() { }
    // Lends the group a view without a parent; nothing when it has one.
    virtual void AddChild(CView* view);
    // Takes the view out of the group; who removes an owned child owns it
    // from then on (TakeChild says so in its type).
    virtual void RemoveChild(CView* view);

    // The group owns the view from now on (taken out of its old parent first).
    CView* AdoptChild(std::unique_ptr<CView> view);
    // Takes the view out of the group and hands its ownership back; null
    // when the group only had it on loan or never had it.
    std::unique_ptr<CView> TakeChild(CView* view);
    // Deletes the owned children and lets go of the lent ones.
    void DeleteChildren();
    int CountChildren() const;
    CView* GetChild(int index) const;

    void HandleBroadcast() override;
    void MouseDown(const CEvent& event) override;
    void Draw() override;
    void UpdateDisplay() override;
    void ContextClick(CPoint where) override;
    void FrameChanged(const CRect& oldFrame, const CRect& newFrame) override;
    void ExcludeOpaqueArea(CRegion& region) const override;
    void Relayout() override;
    CRect GetBounds() const override { return GetContentRect(); }
    void ReceiveNotifications() override;
    void UpdateState() override;
    CView* FindViewAt(int16_t x, int16_t y) override;

protected:
    // Draws the children that touch the window's clip region.
    void DrawChildren();
    // Each child in order; a child may remove itself while it is called.
    template <typename F> void ForEachChild(F f) const
    {
        for (size_t i = 0; i < children_.size();) {
            CView* view = children_[i].view;
            f(view);
            // A child that left (this one or one before it) moved the next one to here.
            if (i < children_.size() && children_[i].view == view)
                ++i;
        }
    }

private:
    friend class CView; // a view made with a parent is adopted by it

    struct Child {
        CView* view;
        std::unique_ptr<CView> owned; // null when lent
    };
    // A vector, not a list: a panel holds thousands of views, and a list
    // node per child doubled what their bookkeeping takes.
    using ChildList = std::vector<Child>;

    static void SetParent(CView& view, CGroupView* parent);
    void Adopt(CView* view);
    ChildList::iterator Find(const CView* view);
    void ExcludeChildren(CRegion& region) const;

    ChildList children_;
};

} // namespace NSHarrowen
