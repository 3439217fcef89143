#include "editor/toolbar/tabs/TabView.h"

#include "editor/toolbar/tabs/TabBarView.h"
#include "editor/toolbar/tabs/TabGreys.h"
#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"

using NSHarrowen::CColor;
using NSHarrowen::CRect;

namespace {

const CColor kFixedText(0, 0, 0);

void Pixel(NSHarrowen::CABCCanvas& canvas, int x, int y, const CColor& colour)
{
    canvas.FillRect(CRect(x, y, x + 1, y + 1), colour);
}

} // namespace

CTabView::CTabView(CTabBarView& bar, const std::string& text, uint8_t index, bool systemColours)
    : CControlView(&bar), bar_(bar), text_(text), index_(index),
      textColour_(systemColours ? CColor::FromButtonText() : kFixedText),
      shadowColour_(systemColours ? CColor::FromButtonShadow() : TabGrey(0x7777))
{
    selected_ = bar.GetSelected() == index;
}

void CTabView::MouseDown(const NSHarrowen::CEvent& event)
{
    if (bar_.GetSelected() != index_)
        bar_.LatchTab(index_);
    CControlView::MouseDown(event);
}

void CTabView::UpdateState()
{
    const bool selected = bar_.GetSelected() == index_;
    if (selected != selected_) {
        selected_ = selected;
        redraw_ = true;
    }
}

void CTabView::UpdateDisplay()
{
    if (redraw_) {
        redraw_ = false;
        InvalidateFrame();
    }
}

void CTabView::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    const CRect f = GetFrame();
    if (window == nullptr || f.Width() <= 2 || f.Height() <= 2)
        return;
    NSHarrowen::CCanvas canvas(window);
    // The selected tab reaches one pixel further down and joins the page.
    const int32_t bottom = selected_ ? f.bottom : f.bottom - 1;
    canvas.FillRect(CRect(f.left, f.top, f.right - 2, bottom), TabGrey(0xBF00));
    if (!selected_) {
        canvas.DrawHorizontalLine(f.bottom - 1, f.left, f.right - 1, TabGrey(0xF600));
        if (index_ > 0)
            canvas.DrawVerticalLine(f.left, f.top + 1, f.bottom - 2, TabGrey(0xA221));
    }
    canvas.DrawVerticalLine(f.right - 2, f.top + 1, bottom - 1, shadowColour_);
    canvas.DrawVerticalLine(f.right - 1, f.top + 1, bottom - 1, CColor(0, 0, 0));
    Pixel(canvas, f.right - 2, f.top, TabGrey(0xBF00));
    Pixel(canvas, f.right - 1, f.top, TabGrey(0xBF00));
    canvas.DrawStringCentered(CRect(f.left, f.top, f.right - 2, bottom), text_.c_str(), CTabBarView::TabFont(),
                              textColour_);
}
