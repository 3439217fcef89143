#include "dialogs/browser/ScrollHardDriveView.h"

#include "dialogs/browser/BrowserFooter.h"
#include "dialogs/browser/HardDriveView.h"
#include "framework/controls/ScrollBarView.h"

using namespace NSHarrowen;

CScrollHardDriveView::CScrollHardDriveView(CGroupView* parent, std::filesystem::path top)
    : CScrollListPage(parent), list_(new CHardDriveView(this, std::move(top))), footer_(new CBrowserFooter(this))
{ }

void CScrollHardDriveView::LayoutChildren()
{
    LayOut(*list_, kFooterHeight, kFooterHeight + 1);
    CRect footer = GetContentRect();
    footer.top = static_cast<int16_t>(footer.bottom - kFooterHeight);
    footer_->SetFrame(footer);
}

void CScrollHardDriveView::ToTop()
{
    savedPosition_ = 0;
    ScrollListTo(*list_, 0);
}

void CScrollHardDriveView::GoUp()
{
    ToTop();
    list_->GoUp();
}

void CScrollHardDriveView::Refresh()
{
    ToTop();
    list_->Refresh();
}

void CScrollHardDriveView::ReceiveNotifications()
{
    CScrollListPage::ReceiveNotifications();
    if (list_->TakeFolderRequest() && list_->OpenRequestedFolder())
        ToTop();
    CScrollRange range;
    if (bar_->TakeChange(range)) {
        savedPosition_ = range.GetFirst();
        ScrollListTo(*list_, savedPosition_);
    }
}

void CScrollHardDriveView::UpdateState()
{
    CScrollListPage::UpdateState();
    if (savedPosition_ >= list_->GetContentHeight() && savedPosition_ != 0)
        ToTop();
    CScrollRange range(0, list_->GetContentHeight());
    range.SetVisible(savedPosition_, savedPosition_ + list_->GetFrame().Height());
    range.SetStep(CListView::kRowHeight);
    bar_->SetRange(range);
    bool showAll = false;
    if (footer_->TakeShowAllChange(showAll))
        list_->SetShowAllFiles(showAll);
}
