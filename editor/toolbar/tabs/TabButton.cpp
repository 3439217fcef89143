#include "editor/toolbar/tabs/TabButton.h"

#include "editor/toolbar/tabs/TabButtonBar.h"
#include "editor/toolbar/tabs/TabGreys.h"
#include "editor/toolbar/tabs/TabScrollView.h"
#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"

using NSHarrowen::CColor;
using NSHarrowen::CRect;

namespace {

void DrawFrame(NSHarrowen::CABCCanvas& canvas, const CRect& f, const CColor& topLeft, const CColor& bottomRight)
{
    canvas.DrawHorizontalLine(f.top, f.left, f.right - 1, topLeft);
    canvas.DrawVerticalLine(f.left, f.top, f.bottom - 1, topLeft);
    canvas.DrawHorizontalLine(f.bottom - 1, f.left, f.right - 1, bottomRight);
    canvas.DrawVerticalLine(f.right - 1, f.top, f.bottom - 1, bottomRight);
}

} // namespace

CTabButton::CTabButton(CTabButtonBar& bar, uint16_t picture, const std::string& tooltip, uint8_t typeId)
    : CControlView(&bar), bar_(bar), picture_(picture), tooltip_(tooltip), typeId_(typeId)
{
    SetSize(kWidth, kHeight);
    SetToolTip(tooltip);
}

void CTabButton::MouseDown(const NSHarrowen::CEvent& event)
{
    pressed_ = true;
    InvalidateFrame();
    // The toolbar starts dragging a new module from here; the drag tells
    // the button when it ends.
    bar_.GetOwner().LatchButton(*this);
    CControlView::MouseDown(event);
}

void CTabButton::MouseUp()
{
    pressed_ = false;
    InvalidateFrame();
}

void CTabButton::MouseEnter()
{
    hover_ = true;
    InvalidateFrame();
}

void CTabButton::MouseLeave()
{
    hover_ = false;
    InvalidateFrame();
}

void CTabButton::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr)
        return;
    NSHarrowen::CCanvas canvas(window);
    const CRect f = GetFrame();
    canvas.FillRect(f, TabGrey(0xBF00));
    const CColor white = TabGrey(0xFFFF);
    if (pressed_)
        DrawFrame(canvas, f, TabGrey(0x7777), white);
    else if (hover_)
        DrawFrame(canvas, f, white, TabGrey(0x7777));
    else
        DrawFrame(canvas, f, TabGrey(0xDD00), TabGrey(0xA100));
    // The picture moves by one pixel as the button goes down.
    const int32_t inset = pressed_ ? 4 : 3;
    CTabButtonBar::DrawPicture(canvas, f.left + inset, f.top + inset, picture_);
}
