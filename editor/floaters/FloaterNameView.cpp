#include "editor/floaters/FloaterNameView.h"

#include "editor/floaters/KnobFloaterContainer.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "framework/windows/ABCWindow.h"

using namespace NSHarrowen;

CFloaterNameView::CFloaterNameView(CGroupView* parent, int16_t x, int16_t y)
    : CView(parent, CRect(x, y, x + kWidth, y + kHeight))
{ }

void CFloaterNameView::SetLines(const std::string& first, const std::string& second)
{
    if (first == first_ && second == second_)
        return;
    first_ = first;
    second_ = second;
    InvalidateFrame();
}

void CFloaterNameView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    const CRect& frame = GetFrame();
    canvas.FillRect(frame, CKnobFloaterContainer::kBackground);
    const CFontSpec font("Arial", 12);
    const int half = frame.Height() / 2;
    canvas.DrawStringInRect(CRect(frame.left, frame.top, frame.right, frame.top + half), first_.c_str(), font, kBlack);
    canvas.DrawStringInRect(CRect(frame.left, frame.top + half, frame.right, frame.bottom), second_.c_str(), font,
                            kBlack);
}
