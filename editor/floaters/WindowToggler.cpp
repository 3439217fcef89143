#include "editor/floaters/WindowToggler.h"

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

bool IsUsableFloaterPlace(const CRect& content, const CRect& screen, const CPoint& minimum, const CPoint& maximum,
                          bool allowAbove)
{
    const int width = content.Width();
    const int height = content.Height();
    return content.top < screen.bottom && content.left < screen.right && height >= minimum.y && width >= minimum.x &&
        width <= maximum.x && height <= maximum.y && (allowAbove || content.top >= 0);
}

CRect OntoScreen(CRect rect, const CRect& screen)
{
    rect.MoveInside(screen);
    if (rect.left < screen.left)
        rect.ShiftRight(screen.left - rect.left);
    if (rect.top < screen.top)
        rect.ShiftDown(screen.top - rect.top);
    return rect;
}
