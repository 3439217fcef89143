#pragma once

#include "framework/views/View.h"

namespace NSHarrowen {

// A view with children, kept in a singly linked list in the order they were
// added. A group does not delete its children: owners call DeleteChildren.
class CGroupView : public CView {
public:
    explicit CGroupView(CGroupView* parent = nullptr);
    CGroupView(CGroupView* parent, const CRect& frame);
    ~CGroupView() override;

    virtual CRect GetContentRect() const { return GetFrame(); }
    virtual void LayoutChildren() { }
    virtual void DrawBackground() { }
    virtual void AddChild(CView* view);
    virtual void RemoveChild(CView* view);

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

private:
    struct Node {
        CView* view;
        Node* next;
    };
    template <typename F> void ForEachChild(F f) const;
    void ExcludeChildren(CRegion& region) const;

    Node* head_ = nullptr;
    Node* tail_ = nullptr;
};

} // namespace NSHarrowen
