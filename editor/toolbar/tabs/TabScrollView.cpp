#include "editor/toolbar/tabs/TabScrollView.h"

#include "editor/toolbar/tabs/TabButtonBar.h"
#include "framework/windows/ABCWindow.h"

CTabScrollView::CTabScrollView(NSHarrowen::CGroupView* parent) : CPagedGroupView(parent) { }

CTabButtonBar& CTabScrollView::AddPage()
{
    filling_ = new CTabButtonBar(*this);
    // The first row shows from the start, before any update pass.
    if (pageCount_++ == 0) {
        ShowPage(filling_);
        shown_ = 0;
    }
    LayoutChildren();
    return *filling_;
}

bool CTabScrollView::TakeButtonClick(CTabButton*& button)
{
    if (!latchPending_)
        return false;
    latchPending_ = false;
    button = latched_;
    return true;
}

void CTabScrollView::LatchButton(CTabButton& button)
{
    latched_ = &button;
    latchPending_ = true;
    NSHarrowen::UpdateAllWindows();
    latchPending_ = false;
}

void CTabScrollView::UpdateState()
{
    if (requested_ != shown_ && requested_ < pageCount_) {
        ShowPageAt(requested_);
        shown_ = requested_;
    }
    CPagedGroupView::UpdateState();
}
