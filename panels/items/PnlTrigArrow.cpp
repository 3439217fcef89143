#include "panels/items/PnlTrigArrow.h"

#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"
#include "panels/painters/PictureKeys.h"

CPnlTrigArrow::CPnlTrigArrow(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlCustom(parent, x, y, 1)
{
    SetItemSize(3, 11);
}

void CPnlTrigArrow::UpdateDisplay()
{
    if (IsDirty()) {
        value_ = GetParams().empty() ? 0 : GetParamValue(0);
        SetDirty(false);
        InvalidateFrame();
    }
}

void CPnlTrigArrow::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    if (value_ == 0) {
        canvas.FillRect(GetFrame(), NSHarrowen::CColor(0xBF00, 0xBF00, 0xBF00));
    } else {
        canvas.DrawImage(GetFrame().left, GetFrame().top, JpegPicture(kArrow));
    }
}
