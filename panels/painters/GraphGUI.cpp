#include "panels/painters/GraphGUI.h"

#include "framework/drawing/Canvas.h"
#include "framework/views/View.h"
#include "framework/windows/ABCWindow.h"

using NSHarrowen::CColor;

void CGraphGUI::Draw(const NSHarrowen::CRect& frame) const
{
    NSHarrowen::CABCWindow* window = owner_.GetWindow();
    if (window == nullptr || frame.Width() == 0 || frame.Height() == 0) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    const CColor outer(0x7D00, 0x7D00, 0x7D00);
    const CColor inner(0xA800, 0xA800, 0xA800);
    const CColor ends(0x9300, 0x9300, 0x9300);
    const CColor light(0xE600, 0xE600, 0xE600);
    const int l = frame.left;
    const int t = frame.top;
    const int r = frame.right - 1;
    const int b = frame.bottom - 1;
    canvas.DrawHorizontalLine(t, l, r - 1, outer);
    canvas.DrawVerticalLine(l, t, b - 1, outer);
    canvas.DrawHorizontalLine(t + 1, l + 1, r - 2, inner);
    canvas.DrawVerticalLine(l + 1, t + 1, b - 2, inner);
    canvas.DrawLine(r - 1, t + 1, r - 1, t + 1, ends);
    canvas.DrawLine(l + 1, b - 1, l + 1, b - 1, ends);
    canvas.DrawHorizontalLine(b, l, r, light);
    canvas.DrawVerticalLine(r, t, b, light);
}
