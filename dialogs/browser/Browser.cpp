#include "dialogs/browser/Browser.h"

#include "dialogs/browser/BrowserBar.h"
#include "dialogs/browser/BrowserPages.h"
#include "editor/toolbar/TBWindow.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/system/FileSystem.h"
#include "platform/windows/Window.h"

#include <algorithm>

using namespace NSHarrowen;

CBrowser::CBrowser() : CBrowser(platform::HomeDirectory()) { }

CBrowser::CBrowser(std::filesystem::path diskTop)
    : CFloaterWindow("Patch Browser", true, 0), bar_(new CBrowserBar(GetRootView())),
      pages_(new CBrowserPages(GetRootView(), std::move(diskTop)))
{ }

CBrowser::~CBrowser() = default;

CRect CBrowser::GetDefaultRect()
{
    // Below the main window's toolbar (and so below its menu bar), at the
    // left of the patch windows' space: its tabs stay reachable.
    const CRect screen = GetScreenRect();
    int left = screen.left + 5;
    int top = screen.top + 122;
    if (const CTBWindow* toolbar = GetToolbarWindow()) {
        const platform::Rect bar = platform::GetWindowRect(toolbar->GetHandle());
        left = bar.left + 5;
        top = bar.bottom + kGapBelowToolbar;
    }
    const int bottom = std::max<int>(top + kMinimumHeight, screen.bottom - 20);
    return CRect(static_cast<int16_t>(left), static_cast<int16_t>(top), static_cast<int16_t>(left + 175),
                 static_cast<int16_t>(bottom));
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
    minimum = CPoint(121, kMinimumHeight);
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
