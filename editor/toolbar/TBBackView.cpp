#include "editor/toolbar/TBBackView.h"

using NSHarrowen::CRect;

const NSHarrowen::CColor& ToolbarGrey()
{
    static const NSHarrowen::CColor grey(0xBF00, 0xBF00, 0xBF00);
    return grey;
}

CTBWindow::CTBBackView::CTBBackView(NSHarrowen::CGroupView* parent) : CSolidColorGroupView(parent)
{
    SetColor(ToolbarGrey());
}

void CTBWindow::CTBBackView::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    if (newFrame.Width() > oldFrame.Width())
        InvalidateRect(CRect(oldFrame.right - kBevelWidth, oldFrame.top, oldFrame.right, oldFrame.bottom), false);
    else if (newFrame.Width() < oldFrame.Width())
        InvalidateRect(CRect(newFrame.right - kBevelWidth, newFrame.top, newFrame.right, newFrame.bottom), false);
    CSolidColorGroupView::FrameChanged(oldFrame, newFrame);
}
