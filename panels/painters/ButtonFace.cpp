#include "panels/painters/ButtonFace.h"

#include "framework/drawing/ABCCanvas.h"
#include "panels/painters/PictureKeys.h"

#include <algorithm>
#include <array>

using NSHarrowen::CColor;
using NSHarrowen::CRect;

namespace {

struct GroupColours {
    CColor bright;
    CColor dull;
};

const std::array<GroupColours, 4> kGroupColours = {{
    {CColor(0xE400, 0x3D00, 0x3D00), CColor(0xBA00, 0x7900, 0x7900)},
    {CColor(0x0000, 0x9800, 0x0000), CColor(0x8400, 0xB200, 0x8400)},
    {CColor(0x4100, 0x4200, 0xD900), CColor(0x8300, 0x8400, 0xB400)},
    {CColor(0xDF00, 0xC900, 0x0000), CColor(0xBC00, 0xB200, 0x7E00)},
}};
const CColor kRaisedFill(0xA500, 0xA500, 0xA500);
const CColor kPressedFill(0xC600, 0xCC00, 0xDE00);
const CColor kHighlightFill(0xC400, 0xF600, 0xED00);

void Piece(NSHarrowen::CABCCanvas& canvas, int x, int y, int sourceX, int sourceY, int width, int height)
{
    if (width > 0 && height > 0) {
        canvas.DrawImagePart(x, y, JpegPicture(ButtonLook::kFaceStrip), sourceX, sourceY, width, height);
    }
}

void Fill(NSHarrowen::CABCCanvas& canvas, int x, int y, int width, int height, const ButtonLook& look)
{
    if (width > 0 && height > 0) {
        canvas.FillRect(CRect(x, y, x + width, y + height), look.Fill());
    }
}

} // namespace

int ButtonLook::FaceColumn() const
{
    if (group >= kNoGroup) {
        return 0;
    }
    return 100 * group + (dull ? 50 : 100);
}

CColor ButtonLook::Fill() const
{
    if (highlight) {
        return kHighlightFill;
    }
    if (group >= kNoGroup) {
        return pressed ? kPressedFill : kRaisedFill;
    }
    return dull ? kGroupColours[group].dull : kGroupColours[group].bright;
}

void ButtonFace::DrawSmall(NSHarrowen::CABCCanvas& canvas, const CRect& frame, const ButtonLook& look)
{
    DrawSmallEdges(canvas, frame, look);
    const int inset = look.pressed ? 3 : 2;
    Fill(canvas, frame.left + inset, frame.top + inset + 1, frame.Width() - 5, frame.Height() - 7, look);
}

void ButtonFace::DrawSmallEdges(NSHarrowen::CABCCanvas& canvas, const CRect& frame, const ButtonLook& look)
{
    const int c = look.FaceColumn();
    const int l = frame.left;
    const int t = frame.top;
    const int w = frame.Width();
    const int h = frame.Height();
    const int edge = std::min(15, h);
    if (w <= 0 || h <= 0) {
        return;
    }
    if (!look.pressed) {
        Piece(canvas, l, t, c, 0, 2, edge);
        Piece(canvas, frame.right - 3, t, c + 3, 0, 3, edge);
        Piece(canvas, l + 2, t, c + 14, 0, w - 5, 3);
        Piece(canvas, l + 2, frame.bottom - 4, c + 14, 4, w - 5, 4);
    } else {
        Piece(canvas, l, t, c + 7, 0, 3, edge);
        Piece(canvas, frame.right - 2, t, c + 11, 0, 2, edge);
        Piece(canvas, l + 3, t, c + 14, 9, w - 5, 4);
        Piece(canvas, l + 3, frame.bottom - 3, c + 14, 14, w - 5, 3);
    }
}

void ButtonFace::DrawFollowingHorizontal(NSHarrowen::CABCCanvas& canvas, const CRect& frame, const ButtonLook& look)
{
    const int c = look.FaceColumn();
    const int l = frame.left;
    const int t = frame.top;
    const int w = frame.Width();
    const int h = frame.Height();
    const int edge = std::min(15, h);
    if (!look.pressed) {
        Piece(canvas, l, t, c + 1, 0, 1, edge);
        Piece(canvas, frame.right - 3, t, c + 3, 0, 3, edge);
        Piece(canvas, l, t, c + 14, 0, w - 4, 3);
        Piece(canvas, l, frame.bottom - 4, c + 14, 4, w - 4, 4);
        Fill(canvas, l + 1, t + 3, w - 4, h - 7, look);
    } else {
        Piece(canvas, l, t, c + 8, 0, 2, edge);
        Piece(canvas, frame.right - 2, t, c + 11, 0, 2, edge);
        Piece(canvas, l + 2, t, c + 14, 9, w - 4, 4);
        Piece(canvas, l + 2, frame.bottom - 3, c + 14, 14, w - 4, 3);
        Fill(canvas, l + 2, t + 4, w - 4, h - 7, look);
    }
}

void ButtonFace::DrawFollowingVertical(NSHarrowen::CABCCanvas& canvas, const CRect& frame, const ButtonLook& look)
{
    const int c = look.FaceColumn();
    const int l = frame.left;
    const int t = frame.top;
    const int w = frame.Width();
    const int h = frame.Height();
    if (!look.pressed) {
        Piece(canvas, l, t, c, 1, 2, 14);
        Piece(canvas, frame.right - 3, t, c + 3, 1, 3, 14);
        Piece(canvas, l + 2, t, c + 14, 1, w - 5, 2);
        Piece(canvas, l + 2, frame.bottom - 4, c + 14, 4, w - 5, 4);
        Fill(canvas, l + 2, t + 2, w - 5, h - 6, look);
    } else {
        Piece(canvas, l, t, c + 7, 1, 3, 15);
        Piece(canvas, frame.right - 2, t, c + 11, 1, 2, 14);
        Piece(canvas, l + 3, t, c + 14, 10, w - 5, 3);
        Piece(canvas, l + 3, frame.bottom - 3, c + 14, 14, w - 5, 3);
        Fill(canvas, l + 3, t + 3, w - 5, h - 6, look);
    }
}
