#include "editor/toolbar/FlashMeter.h"

#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"
#include "panels/painters/PictureKeys.h"

#include <algorithm>

CTBWindow::CFlashMeter::CFlashMeter(NSHarrowen::CGroupView* parent) : CView(parent)
{
    SetSize(kWidth, kHeight);
}

void CTBWindow::CFlashMeter::SetUsage(int32_t usage)
{
    if (usage != usage_) {
        usage_ = usage;
        changed_ = true;
    }
}

void CTBWindow::CFlashMeter::Hide()
{
    if (hidden_)
        return;
    hidden_ = true;
    InvalidateFrame();
    kept_ = GetFrame();
    MoveTo(NSHarrowen::CPoint(kHiddenPosition, kHiddenPosition));
    changed_ = true;
}

void CTBWindow::CFlashMeter::Show()
{
    if (!hidden_)
        return;
    SetFrame(kept_);
    changed_ = true;
    hidden_ = false;
}

void CTBWindow::CFlashMeter::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr)
        return;
    NSHarrowen::CCanvas canvas(window);
    const NSHarrowen::CRect f = GetFrame();
    const NSHarrowen::CImageID bars = JpegPicture(kPicture);
    // Rows 0 to 4 of the picture are the free bar, rows 6 to 10 the used one.
    if (usage_ >= 1000) {
        canvas.DrawImagePart(f.left, f.top, bars, 0, 6, kWidth, kHeight);
        return;
    }
    const int used = std::max(usage_, 0) * kWidth / 1000;
    if (used > 0)
        canvas.DrawImagePart(f.left, f.top, bars, 0, 6, used, kHeight);
    canvas.DrawImagePart(f.left + used, f.top, bars, used, 0, kWidth - used, kHeight);
}

void CTBWindow::CFlashMeter::UpdateDisplay()
{
    if (changed_) {
        changed_ = false;
        InvalidateFrame();
    }
}
