#include "dialogs/browser/ScrollFlashListView.h"

#include "dialogs/browser/FlashListView.h"
#include "framework/controls/ScrollBarView.h"
#include "synth/link/PortManager.h"

#include <algorithm>

using namespace NSHarrowen;

CScrollFlashListView::CScrollFlashListView(CGroupView* parent)
    : CScrollListPage(parent), list_(new CFlashListView(this))
{ }

void CScrollFlashListView::LayoutChildren()
{
    LayOut(*list_, 0, 0);
}

void CScrollFlashListView::FollowPort()
{
    const int32_t port = GetPortManager()->GetCurrentPort();
    if (port == shownPort_ || port < 0 || port > 3)
        return;
    shownPort_ = port;
    ScrollListTo(*list_, savedPosition_[static_cast<size_t>(port)]);
}

void CScrollFlashListView::ReceiveNotifications()
{
    CScrollListPage::ReceiveNotifications();
    const CPortManager* ports = GetPortManager();
    if (!ports || !ports->HasCurrentSynth())
        return;
    FollowPort();
    CScrollRange range;
    if (bar_->TakeChange(range) && shownPort_ >= 0) {
        ScrollListTo(*list_, range.GetFirst());
        savedPosition_[static_cast<size_t>(shownPort_)] = range.GetFirst();
        if (list_->GetContentRect().Height() < maximum_)
            maximum_ = list_->GetContentRect().Height();
    }
}

void CScrollFlashListView::UpdateState()
{
    CScrollListPage::UpdateState();
    const CPortManager* ports = GetPortManager();
    CScrollRange range(0, 0);
    if (ports && ports->HasCurrentSynth()) {
        FollowPort();
        if (list_->GetContentHeight() > maximum_)
            maximum_ = list_->GetContentHeight() + CListView::kRowHeight;
        const int32_t position = shownPort_ >= 0 ? savedPosition_[static_cast<size_t>(shownPort_)] : 0;
        range = CScrollRange(0, maximum_);
        range.SetVisible(position, position + GetFrame().Height());
    } else {
        range.SetVisible(0, 0);
    }
    range.SetStep(CListView::kRowHeight);
    bar_->SetRange(range);
}
