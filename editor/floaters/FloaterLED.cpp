#include "editor/floaters/FloaterLED.h"

#include "framework/drawing/Canvas.h"
#include "framework/images/ImageCache.h"
#include "framework/windows/ABCWindow.h"

using namespace NSHarrowen;

CFloaterLED::CFloaterLED(CGroupView* parent, int16_t x, int16_t y)
    : CControlView(parent, CRect(x, y, x + kSize, y + kSize))
{ }

void CFloaterLED::SetLit(bool lit)
{
    if (lit == lit_)
        return;
    lit_ = lit;
    InvalidateFrame();
}

void CFloaterLED::Draw()
{
    if (CABCWindow* window = GetWindow()) {
        CCanvas canvas(window);
        canvas.DrawImage(GetFrame().left, GetFrame().top, CImageID(lit_ ? kLitPicture : kUnlitPicture));
    }
}
