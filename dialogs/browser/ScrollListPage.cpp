#include "dialogs/browser/ScrollListPage.h"

#include "dialogs/browser/ListView.h"
#include "framework/controls/ScrollBarView.h"
#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"

using namespace NSHarrowen;

CScrollListPage::CScrollListPage(CGroupView* parent) : CGroupView(parent), bar_(new CScrollBarView2(this, 0)) { }

void CScrollListPage::DrawBackground()
{
    if (CABCWindow* window = GetWindow())
        CCanvas(window).FillRect(GetFrame(), CColor::FromButtonFace());
}

void CScrollListPage::LayOut(CListView& list, int16_t barBottomGap, int16_t listBottomGap)
{
    const CRect f = GetFrame();
    const CRect content = GetContentRect();
    bar_->SetFrame(CRect(f.right + 1 - kBarWidth, f.top - 1, f.right + 1, f.bottom - barBottomGap));
    list.SetFrame(CRect(content.left, content.top, f.right + 1 - kBarWidth, content.bottom - listBottomGap));
}

void CScrollListPage::ScrollListTo(CListView& list, int32_t position)
{
    list.SetVerticalPosition(position);
    list.InvalidateFrame();
}
