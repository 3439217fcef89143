#include "panels/graphs/SeqScrollBar.h"

#include "framework/drawing/Canvas.h"
#include "framework/input/Event.h"
#include "framework/input/Keyboard.h"
#include "framework/input/MouseState.h"
#include "framework/windows/ABCWindow.h"
#include "panels/graphs/PnlNoteSeqGraph.h"
#include "panels/painters/PictureKeys.h"

#include <algorithm>

CSeqScrollBar::CSeqScrollBar(NSHarrowen::CGroupView* parent, CPnlNoteSeqGraph& owner)
    : NSHarrowen::CControlView(parent), owner_(owner)
{
    SetFrameChangeRedraw(NSHarrowen::kRedrawNothing);
}

CSeqScrollBar::~CSeqScrollBar()
{
    if (HasMouseCapture()) {
        ReleaseMouse();
    }
}

void CSeqScrollBar::MouseDown(const NSHarrowen::CEvent& event)
{
    const NSHarrowen::CRect& frame = GetFrame();
    const int y = event.GetY();
    const int page = 7 - owner_.GetZoom();
    if (y - frame.top < 51 - thumb_) {
        owner_.ScrollBy(page);
    } else if (frame.bottom - y < thumb_ + 10) {
        owner_.ScrollBy(-page);
    } else if (CaptureMouse()) {
        // With Ctrl down too: a drag measured from a stale y would throw the
        // view to one end at the first move.
        lastY_ = startY_ = NSHarrowen::GetMouseState().position.y;
    }
}

void CSeqScrollBar::HandleBroadcast()
{
    if (!HasMouseCapture()) {
        return;
    }
    const int16_t y = NSHarrowen::GetMouseState().position.y;
    // Moving the pointer up moves the thumb and the view up.
    const int p = std::clamp(thumb_ - y + lastY_, 0, static_cast<int>(kThumbRange));
    owner_.SetThumb(static_cast<uint8_t>(p));
    lastY_ = y;
}

void CSeqScrollBar::MouseStillDown()
{
    if (HasMouseCapture()) {
        owner_.SendViewState();
        ReleaseMouse();
    }
}

void CSeqScrollBar::CaptureLost()
{
    owner_.SendViewState();
}

void CSeqScrollBar::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    const NSHarrowen::CRect& frame = GetFrame();
    const int x = frame.left;
    const int y = frame.top;
    const NSHarrowen::CImageID picture = JpegPicture(kPicture);
    NSHarrowen::CCanvas canvas(window);
    canvas.DrawImagePart(x, y, picture, 0, 0, 11, 51 - thumb_);
    canvas.DrawImagePart(x, y + 51 - thumb_, picture, 0, 72, 11, 11);
    canvas.DrawImagePart(x, y + 62 - thumb_, picture, 0, 62 - thumb_, 11, thumb_ + 10);
}
