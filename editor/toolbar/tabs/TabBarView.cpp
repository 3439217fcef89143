#include "editor/toolbar/tabs/TabBarView.h"

#include "editor/toolbar/tabs/TabGreys.h"
#include "editor/toolbar/tabs/TabView.h"
#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"

using NSHarrowen::CRect;

CTabBarView::CTabBarView(NSHarrowen::CGroupView* parent, uint8_t style) : CGroupView(parent), style_(style) { }

void CTabBarView::AddTab(const std::string& text, bool systemColours)
{
    auto* tab = new CTabView(*this, text, count_++, systemColours);
    int16_t width = static_cast<int16_t>(7 * text.size());
    if (NSHarrowen::CABCWindow* window = GetWindow()) {
        NSHarrowen::CCanvas canvas(window);
        width = canvas.GetStringWidth(text.c_str(), TabFont());
    }
    tab->SetSize(static_cast<int16_t>(width + kTabPadding), static_cast<int16_t>(GetFrame().Height()));
    LayoutChildren();
}

bool CTabBarView::TakeSelection(int16_t& index)
{
    if (!latchPending_)
        return false;
    latchPending_ = false;
    index = latched_;
    return true;
}

void CTabBarView::LatchTab(int16_t index)
{
    latched_ = index;
    latchPending_ = true;
    NSHarrowen::UpdateAllWindows();
    latchPending_ = false;
}

void CTabBarView::Draw()
{
    if (NSHarrowen::CABCWindow* window = GetWindow()) {
        NSHarrowen::CCanvas canvas(window);
        const CRect f = GetFrame();
        canvas.DrawHorizontalLine(f.bottom - 1, f.left, f.right - 1, TabGrey(0xF600));
    }
    CGroupView::Draw();
}

void CTabBarView::LayoutChildren()
{
    const CRect f = GetFrame();
    int32_t x = f.left;
    for (int i = 0; i < CountChildren(); ++i) {
        CView* tab = GetChild(i);
        const int32_t width = tab->GetFrame().Width();
        tab->SetFrame(CRect(x, f.top, x + width, f.bottom));
        x += width;
    }
}
