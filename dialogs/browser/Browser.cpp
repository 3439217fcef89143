#include "dialogs/browser/Browser.h"

#include "dialogs/browser/BrowserBar.h"
#include "dialogs/browser/BrowserPages.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/system/FileSystem.h"

using namespace NSHarrowen;

CBrowser::CBrowser() : CBrowser(platform::HomeDirectory()) { }

CBrowser::CBrowser(std::filesystem::path diskTop)
    : CFloaterWindow("Patch Browser", true, 0), bar_(new CBrowserBar(GetRootView())),
      pages_(new CBrowserPages(GetRootView(), std::move(diskTop)))
{ }

CBrowser::~CBrowser() = default;

CRect CBrowser::GetDefaultRect()
{
    return CRect(5, 122, 180, static_cast<int16_t>(GetScreenRect().bottom - 20));
}

void CBrowser::ReceiveNotifications()
{
    CFloaterWindow::ReceiveNotifications();
    int16_t tab = 0;
    if (bar_->TakeTabChange(tab))
        pages_->SelectPage(tab);
    try {
        if (bar_->TakeUpRequest())
            pages_->GoUp();
    } catch (...) {
        platform::RecordDroppedException("the browser's up button");
    }
    try {
        if (bar_->TakeRefreshRequest())
            pages_->Refresh();
    } catch (...) {
        platform::RecordDroppedException("the browser's refresh button");
    }
}

void CBrowser::GetSizeLimits(CPoint& minimum, CPoint& maximum) const
{
    minimum = CPoint(121, 130);
    maximum = CPoint(1000, 3000);
}

void CBrowser::LayoutRootView()
{
    CFloaterWindow::LayoutRootView();
    CRect r = GetClientRect();
    const int16_t bottom = r.bottom;
    r.SetHeight(kBarHeight);
    bar_->SetFrame(r);
    r.ShiftDownByHeight();
    r.bottom = bottom;
    pages_->SetFrame(r);
}
