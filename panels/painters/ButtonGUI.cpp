#include "panels/painters/ButtonGUI.h"

#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "framework/views/View.h"
#include "framework/windows/ABCWindow.h"
#include "panels/painters/PictureKeys.h"

using NSHarrowen::CRect;

void CABCButtonGUI::Draw(const CRect& frame) const
{
    NSHarrowen::CABCWindow* window = owner_.GetWindow();
    if (window == nullptr || frame.Width() <= 0 || frame.Height() <= 0) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    DrawFace(canvas, frame);
    DrawContent(canvas, frame);
}

void CABCButtonGUI::DrawFace(NSHarrowen::CABCCanvas& canvas, const CRect& frame) const
{
    ButtonFace::DrawSmall(canvas, frame, Look());
}

void CTextButtonGUI::DrawContent(NSHarrowen::CABCCanvas& canvas, const CRect& frame) const
{
    if (label_ == nullptr || *label_ == '\0') {
        return;
    }
    CRect box = frame;
    box.Offset(raised ? 0 : 1, raised ? 1 : 2);
    canvas.DrawStringCentered(box, label_, NSHarrowen::CFontSpec("Arial", 12), NSHarrowen::kBlack);
}

CBitmapButtonGUI::CBitmapButtonGUI(const NSHarrowen::CView& owner, uint16_t picture)
    : CABCButtonGUI(owner), picture_(SymbolPicture(picture))
{ }

void CBitmapButtonGUI::DrawContent(NSHarrowen::CABCCanvas& canvas, const CRect& frame) const
{
    const NSHarrowen::CPoint size = NSHarrowen::GetImageSize(picture_);
    const int x = frame.left + (frame.Width() - size.x) / 2 + (raised ? 0 : 1);
    canvas.DrawImage(x, frame.top + (raised ? 4 : 5), picture_);
}

CJpegButtonGUI::CJpegButtonGUI(const NSHarrowen::CView& owner, uint16_t picture)
    : CABCButtonGUI(owner), picture_(JpegPicture(picture))
{ }

void CJpegButtonGUI::DrawFace(NSHarrowen::CABCCanvas& canvas, const CRect& frame) const
{
    ButtonLook look;
    look.pressed = !raised;
    ButtonFace::DrawSmallEdges(canvas, frame, look);
}

void CJpegButtonGUI::DrawContent(NSHarrowen::CABCCanvas& canvas, const CRect& frame) const
{
    canvas.DrawImage(frame.left + (raised ? 2 : 3), frame.top + (raised ? 3 : 4), picture_);
}
