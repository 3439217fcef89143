#include "editor/toolbar/tabs/TBTabsView.h"

#include "editor/toolbar/tabs/TabBarView.h"
#include "editor/toolbar/tabs/TabButtonBar.h"
#include "editor/toolbar/tabs/TabGreys.h"
#include "editor/toolbar/tabs/TabScrollView.h"
#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"

using NSHarrowen::CRect;

CTBTabsView::CTBTabsView(NSHarrowen::CGroupView* parent)
    : CGroupView(parent), pages_(new CTabScrollView(this)), bar_(new CTabBarView(this, 0))
{
    SetSize(kWidth, kHeight);
    LayoutChildren();
}

CTBTabsView::~CTBTabsView() = default;

void CTBTabsView::AddTab(const std::string& name)
{
    bar_->AddTab(name);
    pages_->AddPage();
    LayoutChildren();
}

void CTBTabsView::AddButton(uint16_t picture, const std::string& tooltip, uint8_t typeId)
{
    if (CTabButtonBar* page = pages_->GetFillingPage())
        page->AddButton(picture, tooltip, typeId);
}

void CTBTabsView::AddSeparator()
{
    if (CTabButtonBar* page = pages_->GetFillingPage())
        page->AddSeparator();
}

bool CTBTabsView::TakeButtonClick(CTabButton*& button)
{
    if (!latchPending_)
        return false;
    latchPending_ = false;
    button = latched_;
    return true;
}

void CTBTabsView::ReceiveNotifications()
{
    CGroupView::ReceiveNotifications();
    int16_t tab = 0;
    if (bar_->TakeSelection(tab)) {
        bar_->SetSelected(tab);
        pages_->SetPage(static_cast<uint16_t>(tab));
    }
    CTabButton* button = nullptr;
    if (pages_->TakeButtonClick(button)) {
        latched_ = button;
        latchPending_ = true;
    }
}

void CTBTabsView::Draw()
{
    if (NSHarrowen::CABCWindow* window = GetWindow()) {
        NSHarrowen::CCanvas canvas(window);
        const CRect f = GetFrame();
        const int32_t top = f.top + kBarHeight;
        canvas.DrawVerticalLine(f.left, top, f.bottom - 1, TabGrey(0xF600));
        canvas.DrawHorizontalLine(f.bottom - 2, f.left + 1, f.right - 2, TabGrey(0x7777));
        canvas.DrawVerticalLine(f.right - 2, top, f.bottom - 2, TabGrey(0x7777));
        canvas.DrawHorizontalLine(f.bottom - 1, f.left, f.right - 1, TabGrey(0));
        canvas.DrawVerticalLine(f.right - 1, top, f.bottom - 1, TabGrey(0));
    }
    CGroupView::Draw();
}

void CTBTabsView::LayoutChildren()
{
    const CRect f = GetFrame();
    bar_->SetFrame(CRect(f.left, f.top, f.right, f.top + kBarHeight));
    const int32_t top = f.top + kBarHeight + 1;
    pages_->SetFrame(CRect(f.left + 1, top, f.left + 1 + 400, top + 22));
}
