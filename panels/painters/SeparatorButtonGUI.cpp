#include "panels/painters/SeparatorButtonGUI.h"

#include "framework/drawing/Canvas.h"
#include "framework/views/View.h"
#include "framework/windows/ABCWindow.h"

using NSHarrowen::CColor;
using NSHarrowen::CRect;

namespace {

const CColor kInnerShade(0x7777, 0x7777, 0x7777);
const CColor kPlate(0xC000, 0xC000, 0xC000);

} // namespace

CSeparatorButtonGUI::CSeparatorButtonGUI(const NSHarrowen::CView& owner, const NSHarrowen::CImageID& picture)
    : owner_(owner), picture_(picture)
{ }

void CSeparatorButtonGUI::Draw(const CRect& frame) const
{
    NSHarrowen::CABCWindow* window = owner_.GetWindow();
    if (window == nullptr || frame.Width() <= 1 || frame.Height() <= 1) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    const int32_t l = frame.left;
    const int32_t t = frame.top;
    const int32_t r = frame.right - 1;
    const int32_t b = frame.bottom - 1;
    if (raised_) {
        canvas.DrawHorizontalLine(t, l, r, NSHarrowen::kWhite);
        canvas.DrawVerticalLine(l, t, b, NSHarrowen::kWhite);
        canvas.DrawHorizontalLine(b, l, r, NSHarrowen::kBlack);
        canvas.DrawVerticalLine(r, t, b, NSHarrowen::kBlack);
        canvas.DrawHorizontalLine(b - 1, l + 1, r - 1, kInnerShade);
        canvas.DrawVerticalLine(r - 1, t + 1, b - 1, kInnerShade);
    } else {
        canvas.DrawHorizontalLine(t, l, r, NSHarrowen::kBlack);
        canvas.DrawVerticalLine(l, t, b, NSHarrowen::kBlack);
        canvas.DrawHorizontalLine(t + 1, l + 1, r - 1, kInnerShade);
        canvas.DrawVerticalLine(l + 1, t + 1, b - 1, kInnerShade);
        canvas.DrawHorizontalLine(b, l, r, NSHarrowen::kWhite);
        canvas.DrawVerticalLine(r, t, b, NSHarrowen::kWhite);
    }
    const int32_t shift = raised_ ? 1 : 2;
    if (picture_.IsEmpty()) {
        const CRect plate = raised_ ? CRect(l + 1, t + 1, r - 1, b - 1) : CRect(l + 2, t + 2, r, b);
        canvas.FillRect(plate, kPlate);
    } else {
        canvas.DrawImage(l + shift, t + shift, picture_);
    }
}
