#include "dialogs/browser/BrowserFooter.h"

#include "framework/controls/CheckBoxView.h"
#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"

using namespace NSHarrowen;

CBrowserFooter::CBrowserFooter(CGroupView* parent)
    : CSolidColorGroupView(parent), box_(new CCheckBoxView(this, "Show all Files"))
{ }

bool CBrowserFooter::TakeShowAllChange(bool& showAll)
{
    showAll = showAll_;
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

void CBrowserFooter::ReceiveNotifications()
{
    CSolidColorGroupView::ReceiveNotifications();
    if (box_->TakeClick()) {
        showAll_ = !showAll_;
        box_->SetChecked(showAll_);
        changed_ = true;
    }
}

void CBrowserFooter::LayoutChildren()
{
    CRect box = GetContentRect();
    box.SetHeight(16);
    box.ShiftDown(3);
    box_->SetFrame(box);
}

void CBrowserFooter::DrawBackground()
{
    CSolidColorGroupView::DrawBackground();
    if (CABCWindow* window = GetWindow()) {
        CCanvas canvas(window);
        const CRect f = GetFrame();
        canvas.DrawHorizontalLine(f.top, f.left, f.right, CColor(0, 0, 0));
        canvas.DrawHorizontalLine(f.top + 1, f.left, f.right, CColor(0xFFFF, 0xFFFF, 0xFFFF));
    }
}
