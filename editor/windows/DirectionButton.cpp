#include "editor/windows/DirectionButton.h"

#include "framework/input/MouseState.h"
#include "framework/windows/ABCWindow.h"
#include "panels/painters/PictureKeys.h"

#include <utility>

using namespace NSHarrowen;

CPatchView::CDirectionButton::CDirectionButton(CGroupView* parent, uint16_t picture)
    : CView(parent, CRect(0, 0, kSize, kSize)), painter_(*this, SymbolPicture(picture))
{ }

bool CPatchView::CDirectionButton::TakeClick()
{
    return std::exchange(clicked_, false);
}

void CPatchView::CDirectionButton::MouseDown(const CEvent&)
{
    pressed_ = true;
    CaptureMouse();
    UpdateDisplay();
}

void CPatchView::CDirectionButton::MouseStillDown()
{
    if (!HasMouseCapture())
        return;
    clicked_ = true;
    pressed_ = false;
    ReleaseMouse();
    UpdateAllWindows();
}

void CPatchView::CDirectionButton::CaptureLost()
{
    pressed_ = false;
    UpdateAllWindows();
}

void CPatchView::CDirectionButton::GetCursor()
{
    SetArrowCursor();
}

void CPatchView::CDirectionButton::Draw()
{
    shownPressed_ ? painter_.Press() : painter_.Raise();
    painter_.Draw(GetFrame());
}

void CPatchView::CDirectionButton::UpdateDisplay()
{
    if (pressed_ != shownPressed_) {
        shownPressed_ = pressed_;
        InvalidateFrame();
    }
}
