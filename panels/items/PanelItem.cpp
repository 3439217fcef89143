#include "panels/items/PanelItem.h"

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

CPanelItem::CPanelItem(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CGroupView(parent)
{
    const CRect base = parent ? parent->GetFrame() : CRect();
    SetFrame(CRect(base.left + x, base.top + y, base.left + x, base.top + y));
    SetFrameChangeRedraw(NSHarrowen::kRedrawNothing);
    SetOpaqueMode(NSHarrowen::kOpaqueFrame);
}

CPanelItem::~CPanelItem()
{
    if (NSHarrowen::GetMouseCaptureView() == this) {
        ReleaseMouse();
    }
    if (NSHarrowen::CGroupView* parent = GetParent()) {
        parent->RemoveChild(this);
    }
}

bool CPanelItem::OnMouseDown(int16_t, int16_t)
{
    return true;
}

bool CPanelItem::OnDoubleClick(int16_t, int16_t)
{
    return true;
}

void CPanelItem::EndMouseTracking()
{
    if (HasMouseCapture()) {
        ReleaseMouse();
    }
}

CPoint CPanelItem::GetCenter() const
{
    const CRect& frame = GetFrame();
    return CPoint(static_cast<int16_t>(frame.left + frame.Width() / 2),
                  static_cast<int16_t>(frame.top + frame.Height() / 2));
}

void CPanelItem::SetItemSize(int16_t width, int16_t height)
{
    SetSize(width, height);
}

void CPanelItem::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    MoveChildrenWithFrame(*this, oldFrame, newFrame);
}

void MoveChildrenWithFrame(NSHarrowen::CGroupView& group, const CRect& oldFrame, const CRect& newFrame)
{
    const int16_t dx = static_cast<int16_t>(newFrame.left - oldFrame.left);
    const int16_t dy = static_cast<int16_t>(newFrame.top - oldFrame.top);
    if (dx == 0 && dy == 0) {
        return;
    }
    for (int i = 0; i < group.CountChildren(); ++i) {
        NSHarrowen::CView* child = group.GetChild(i);
        const CRect& frame = child->GetFrame();
        child->MoveTo(CPoint(static_cast<int16_t>(frame.left + dx), static_cast<int16_t>(frame.top + dy)));
    }
}
