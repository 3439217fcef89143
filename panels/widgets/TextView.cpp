#include "panels/widgets/TextView.h"

#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"

CTextView::CTextView(NSHarrowen::CGroupView* parent, const std::string& text)
    : CControlView(parent), painter_(*this, text)
{
    SetFocusable(false);
    SetFrameChangeRedraw(NSHarrowen::kRedrawNothing);
}

void CTextView::SetText(const std::string& text)
{
    clicked_ = false;
    if (text == painter_.GetText()) {
        return;
    }
    painter_.SetText(text);
    redraw_ = true;
}

CFittedText CTextView::GetFittedText() const
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return {};
    }
    NSHarrowen::CCanvas canvas(window);
    return painter_.Fit(canvas, GetFrame());
}

void CTextView::SetStyle(uint8_t style)
{
    if (style != painter_.GetStyle()) {
        painter_.SetStyle(style);
        redraw_ = true;
    }
}

void CTextView::SetHighlight(bool highlight)
{
    if (highlight != painter_.IsHighlighted()) {
        painter_.SetHighlight(highlight);
        redraw_ = true;
    }
}

void CTextView::Hide()
{
    if (hidden_) {
        return;
    }
    hidden_ = true;
    InvalidateFrame();
    savedFrame_ = GetFrame();
    MoveTo(NSHarrowen::CPoint(-1000, -1000));
    redraw_ = true;
}

void CTextView::Show()
{
    if (!hidden_) {
        return;
    }
    SetFrame(savedFrame_);
    hidden_ = false;
    redraw_ = true;
}

bool CTextView::TakeClick()
{
    const bool clicked = clicked_;
    clicked_ = false;
    return clicked;
}

void CTextView::MouseDown(const NSHarrowen::CEvent& event)
{
    clicked_ = true;
    CControlView::MouseDown(event);
}

void CTextView::Draw()
{
    painter_.Draw(GetFrame());
}

void CTextView::UpdateDisplay()
{
    if (redraw_) {
        redraw_ = false;
        InvalidateFrame();
    }
}
