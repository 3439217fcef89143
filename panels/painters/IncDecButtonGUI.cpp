#include "panels/painters/IncDecButtonGUI.h"

#include "framework/drawing/Canvas.h"
#include "framework/views/View.h"
#include "framework/windows/ABCWindow.h"
#include "panels/painters/PictureKeys.h"

CIncDecButtonGUIABC::CIncDecButtonGUIABC(const NSHarrowen::CView& owner, uint16_t strip, bool vertical)
    : owner_(owner), strip_(strip), vertical_(vertical)
{ }

void CIncDecButtonGUIABC::Draw(const NSHarrowen::CRect& frame) const
{
    NSHarrowen::CABCWindow* window = owner_.GetWindow();
    if (window == nullptr || frame.Width() <= 0 || frame.Height() <= 0 || displayState > 2 || displayState < 0) {
        return;
    }
    int base = 0;
    if (alternateLook) {
        base = 36;
    } else if (group < kNoGroup) {
        base = 72 + 36 * group;
    }
    const int offset = base + 12 * displayState;
    NSHarrowen::CCanvas canvas(window);
    if (vertical_) {
        canvas.DrawImagePart(frame.left, frame.top, JpegPicture(strip_), 0, offset, 21, 11);
    } else {
        canvas.DrawImagePart(frame.left, frame.top, JpegPicture(strip_), offset, 0, 11, 21);
    }
}
