#pragma once

#include "framework/drawing/Canvas.h"
#include "framework/drawing/ABCCanvas.h"

namespace NSHarrowen {

// One-pixel frames of two colours: sunken is grey 7777 at the top and left
// and the button highlight at the bottom and right; raised the other way.
void DrawSunkenFrame(CABCCanvas& canvas, const CRect& rect);
void DrawRaisedFrame(CABCCanvas& canvas, const CRect& rect);
// Two-pixel bevels and the etched groove of the classic look.
void DrawSunkenEdge(CABCCanvas& canvas, const CRect& rect);
void DrawRaisedEdge(CABCCanvas& canvas, const CRect& rect);
void DrawEtchedVerticalLine(CABCCanvas& canvas, int16_t x, int16_t top, int16_t bottom);
void DrawEtchedFrame(CABCCanvas& canvas, const CRect& rect);

// A one-pixel frame of a colour a side, whose four corner pixels take a
// colour of their own.
struct CFrameColors {
    CColor top;
    CColor left;
    CColor bottom;
    CColor right;
    CColor corner;
};
void DrawCorneredFrame(CABCCanvas& canvas, const CRect& rect, const CFrameColors& colors);

} // namespace NSHarrowen
