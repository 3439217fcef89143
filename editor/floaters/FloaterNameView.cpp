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
    const CRect lines[] = {CRect(frame.left, frame.top, frame.right, frame.top + half),
                           CRect(frame.left, frame.top + half, frame.right, frame.bottom)};
    const std::string* texts[] = {&first_, &second_};
    for (size_t i = 0; i < 2; ++i) {
        // The text starts two pixels into its box.
        fitted_[i] = CFittedText::Fit(canvas, *texts[i], font, frame.Width() - 2);
        canvas.DrawStringInRect(lines[i], fitted_[i].text.c_str(), fitted_[i].font, kBlack);
    }
}
