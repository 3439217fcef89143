#include "panels/painters/VerticalSliderGUI.h"

#include "framework/drawing/Canvas.h"
#include "framework/views/View.h"
#include "framework/windows/ABCWindow.h"
#include "panels/painters/PictureKeys.h"

#include <algorithm>

void CVerticalSliderGUI::Draw(const NSHarrowen::CRect& frame)
{
    NSHarrowen::CABCWindow* window = GetOwner().GetWindow();
    if (window == nullptr || frame.Width() <= 0 || frame.Height() <= 0) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    const int l = frame.left;
    const int t = frame.top;
    const int k = GetPosition() * 2 / 3;
    const int a = 43 - k;
    const int bv = 46 - k;
    auto track = [&](int column, int fromRow, int toRow, int sourceRow) {
        if (toRow > fromRow) {
            canvas.DrawImagePart(l, t + fromRow, JpegPicture(kTrack), column, sourceRow, kTrackWidth, toRow - fromRow);
        }
    };
    if (GetMorphGroup() >= kNoGroup) {
        track(0, 0, a, 0);
        track(0, bv, kTrackHeight, bv);
    } else {
        const int column = (GetMorphGroup() + 1) * 12;
        const int lo = std::min(GetMorphStart(), GetMorphEnd());
        const int hi = std::max(GetMorphStart(), GetMorphEnd());
        const int yTop = 43 - hi * 2 / 3;
        const int yBottom = 46 - lo * 2 / 3;
        track(column, 0, yTop, 0);
        track(column + 48, yTop, a, 0);
        track(column + 48, bv, yBottom, 0);
        track(column, yBottom, kTrackHeight, yBottom);
    }
    canvas.DrawImage(l, t + a, JpegPicture(kHandle));
    int part = -1;
    if (GetStateByte()) {
        part = GetAuxValue() >= 0 && GetAuxValue() <= 2 ? GetAuxValue() + 1 : -1;
    } else if (IsFocused()) {
        part = 0;
    }
    if (part >= 0) {
        canvas.DrawImagePart(l, t + kTrackHeight, JpegPicture(kMarker), part * 13, 0, 12, 16);
    }
}
