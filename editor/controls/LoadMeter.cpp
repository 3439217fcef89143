#include "editor/controls/LoadMeter.h"

#include "framework/drawing/Canvas.h"
#include "framework/drawing/EdgeDrawing.h"
#include "framework/drawing/FontSpec.h"
#include "framework/windows/ABCWindow.h"

#include <algorithm>

using NSHarrowen::CColor;
using NSHarrowen::CRect;

namespace {

const CColor kBand(0x3900, 0x2F00, 0x7D00);
const CColor kLabel(0xFF00, 0xFF00, 0xFF00);
const CColor kDark(0x9000, 0x9000, 0x9000);
const CColor kLight(0xF000, 0xF000, 0xF000);
const CColor kCorner(0xBF00, 0xBF00, 0xBF00);
const CColor kInnerTopLeft(0xA800, 0xA800, 0xA800);
const CColor kInnerBottomRight(0xBB00, 0xBB00, 0xBB00);
const CColor kDivider(0xEEEE, 0xEEEE, 0xEEEE);
const CColor kOverload(0xFFFF, 0, 0);
const CColor kLoad(0, 0xCCCC, 0);
const CColor kEmpty(0, 0, 0);

void Pixel(NSHarrowen::CABCCanvas& canvas, int x, int y, const CColor& colour)
{
    canvas.FillRect(CRect(x, y, x + 1, y + 1), colour);
}

} // namespace

CLoadMeter::CLoadMeter(NSHarrowen::CGroupView* parent, const std::string& tooltip) : CControlView(parent)
{
    SetSize(kWidth, kHeight);
    SetToolTip(tooltip);
}

void CLoadMeter::SetLoad(uint8_t percent)
{
    if (percent != load_) {
        load_ = percent;
        changed_ = true;
    }
}

void CLoadMeter::SetOverload(uint8_t overload)
{
    if (overload != overload_) {
        overload_ = overload;
        changed_ = true;
    }
}

void CLoadMeter::SetLabel(const std::string& label)
{
    if (label != label_) {
        label_ = label;
        changed_ = true;
    }
}

void CLoadMeter::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    const CRect f = GetFrame();
    if (window == nullptr || f.Width() <= 2 || f.Height() <= 2)
        return;
    NSHarrowen::CCanvas canvas(window);
    const int l = f.left;
    const int t = f.top;
    const int r = f.right;
    const int b = f.bottom;
    canvas.FillRect(CRect(l + 1, t + 1, r - 1, t + 11), kBand);
    if (!label_.empty()) {
        const NSHarrowen::CFontSpec font("Arial", 14);
        const int width = canvas.GetStringWidth(label_.c_str(), font);
        canvas.DrawString(l + 1 + (f.Width() - 2 - width) / 2, t + 10, label_.c_str(), font, kLabel);
    }
    NSHarrowen::DrawCorneredFrame(canvas, f, {kDark, kDark, kLight, kLight, kCorner});
    Pixel(canvas, l + 1, t + 1, kInnerTopLeft);
    Pixel(canvas, r - 2, b - 2, kInnerBottomRight);
    canvas.DrawHorizontalLine(b - 6, l + 1, r - 1, kDivider);
    // The bar; loads above 100 are capped by the owner, drawn full here.
    const int inner = r - l - 2;
    const int filled = inner * std::min<int>(load_, 100) / 100;
    if (filled > 0)
        canvas.FillRect(CRect(l + 1, t + 12, l + 1 + filled, t + 16), overload_ != 0 ? kOverload : kLoad);
    if (filled < inner)
        canvas.FillRect(CRect(l + 1 + filled, t + 12, r - 1, t + 16), kEmpty);
}

void CLoadMeter::UpdateDisplay()
{
    if (changed_) {
        changed_ = false;
        InvalidateFrame();
    }
}
