#include "dialogs/browser/BrowserBar.h"

#include "editor/controls/BitmapPushButton.h"
#include "editor/toolbar/tabs/TabBarView.h"
#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"

using namespace NSHarrowen;

namespace {

bool Take(bool& flag)
{
    const bool was = flag;
    flag = false;
    return was;
}

} // namespace

CBrowserBar::CBrowserBar(CGroupView* parent)
    : CSolidColorGroupView(parent), tabs_(new CTabBarView(this, 0)), up_(new CBitmapPushButton(this, kUpPicture)),
      refresh_(new CBitmapPushButton(this, kRefreshPicture))
{
    tabs_->AddTab("Disk", true);
    tabs_->AddTab("Synth", true);
}

bool CBrowserBar::TakeTabChange(int16_t& index)
{
    index = tabIndex_;
    return Take(tabChanged_);
}

bool CBrowserBar::TakeUpRequest()
{
    return Take(upPushed_);
}

bool CBrowserBar::TakeRefreshRequest()
{
    return Take(refreshPushed_);
}

void CBrowserBar::ReceiveNotifications()
{
    CSolidColorGroupView::ReceiveNotifications();
    int16_t tab = 0;
    if (tabs_->TakeSelection(tab)) {
        tabs_->SetSelected(tab);
        tabs_->InvalidateFrame();
        tabChanged_ = true;
        tabIndex_ = tab;
    }
    if (up_->WasPushed())
        upPushed_ = true;
    if (refresh_->WasPushed())
        refreshPushed_ = true;
}

void CBrowserBar::LayoutChildren()
{
    const CRect r = GetContentRect();
    CRect tabs = r;
    tabs.SetWidth(77);
    tabs.top = static_cast<int16_t>(tabs.top + 3);
    tabs.bottom = static_cast<int16_t>(tabs.bottom - 6);
    tabs.ShiftRight(1);
    tabs_->SetFrame(tabs);
    CRect refresh = r;
    refresh.Offset(r.right - 21 - r.left, 2);
    refresh.SetSize(20, 15);
    refresh_->SetFrame(refresh);
    refresh.ShiftLeftByWidth();
    up_->SetFrame(refresh);
}

void CBrowserBar::DrawBackground()
{
    CSolidColorGroupView::DrawBackground();
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    const CRect f = GetFrame();
    const CColor white(0xFFFF, 0xFFFF, 0xFFFF);
    canvas.DrawHorizontalLine(f.top, f.left, f.right, white);
    canvas.DrawHorizontalLine(f.top + 18, f.left + 77, f.right, CColor(0xF600, 0xF600, 0xF600));
    canvas.DrawHorizontalLine(f.bottom - 3, f.left, f.right, CColor(0xADAD, 0xADAD, 0xADAD));
    canvas.DrawHorizontalLine(f.bottom - 2, f.left, f.right, CColor(0, 0, 0));
    canvas.DrawHorizontalLine(f.bottom - 1, f.left, f.right, white);
}
