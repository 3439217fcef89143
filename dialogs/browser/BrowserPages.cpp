#include "dialogs/browser/BrowserPages.h"

#include "dialogs/browser/ScrollFlashListView.h"
#include "dialogs/browser/ScrollHardDriveView.h"

using namespace NSHarrowen;

CBrowserPages::CBrowserPages(CGroupView* parent, std::filesystem::path diskTop)
    : CPagedGroupView(parent), diskPage_(new CScrollHardDriveView(this, std::move(diskTop))),
      synthPage_(new CScrollFlashListView(this))
{
    ShowPageAt(0);
}

void CBrowserPages::SelectPage(int16_t index)
{
    shownPage_ = requestedPage_;
    requestedPage_ = index;
}

void CBrowserPages::GoUp()
{
    if (requestedPage_ == 0)
        diskPage_->GoUp();
}

void CBrowserPages::Refresh()
{
    if (requestedPage_ == 0)
        diskPage_->Refresh();
}

void CBrowserPages::UpdateDisplay()
{
    if (shownPage_ != requestedPage_) {
        ShowPageAt(requestedPage_);
        InvalidateFrame();
        shownPage_ = requestedPage_;
    }
    CPagedGroupView::UpdateDisplay();
}
