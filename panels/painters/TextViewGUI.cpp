#include "panels/painters/TextViewGUI.h"

#include "panels/painters/FittedText.h"

#include "framework/drawing/Canvas.h"
#include "framework/drawing/EdgeDrawing.h"
#include "framework/drawing/FontSpec.h"
#include "framework/views/View.h"
#include "framework/windows/ABCWindow.h"

using NSHarrowen::CColor;
using NSHarrowen::CRect;

namespace {

const CColor kBackground(0xFFFF, 0xFFFF, 0xE000);
const CColor kHighlightBackground(0x3900, 0x2F00, 0x7D00);
const CColor kText(0, 0, 0);
const CColor kHighlightText(0xFFFF, 0xFFFF, 0xFFFF);
const CColor kCorner(0xBF00, 0xBF00, 0xBF00);
const CColor kLight(0xFFFF, 0xFFFF, 0xFFFF);
const CColor kLightInner(0xE600, 0xE600, 0xE600);
const CColor kDark(0x7D00, 0x7D00, 0x7D00);
const CColor kDarkInner(0x9300, 0x9300, 0x9300);

} // namespace

CFittedText CTextViewGUI::Fit(NSHarrowen::CABCCanvas& canvas, const CRect& frame) const
{
    const NSHarrowen::CFontSpec font("Arial", frame.Height() == 14 ? 11 : 12);
    // The room between the bevel and the text's one-pixel margin on the left.
    return CFittedText::Fit(canvas, text_, font, frame.Width() - 3);
}

void CTextViewGUI::Draw(const CRect& frame) const
{
    NSHarrowen::CABCWindow* window = owner_.GetWindow();
    if (window == nullptr || frame.Width() <= 0 || frame.Height() <= 0) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    const CRect inner(frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1);
    canvas.FillRect(inner, highlight_ ? kHighlightBackground : kBackground);
    const CRect area(inner.left + 1, inner.top, inner.right, inner.bottom);
    const CFittedText fitted = Fit(canvas, frame);
    canvas.DrawStringCentered(area, fitted.text.c_str(), fitted.font, highlight_ ? kHighlightText : kText);
    // The sunken bevel: dark top and left, light bottom and right.
    NSHarrowen::DrawCorneredFrame(canvas, frame, {kDark, kDarkInner, kLight, kLightInner, kCorner});
}
