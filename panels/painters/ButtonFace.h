#pragma once

#include "framework/base/Rect.h"
#include "framework/drawing/Color.h"

#include <cstdint>

namespace NSHarrowen {
class CABCCanvas;
}

// The look of a button face: which column of the face strip (picture 229,
// nine 50-pixel columns: grey, then dull and bright red, green, blue and
// yellow) and which fill, by morph group, brightness, press and highlight.
struct ButtonLook {
    static constexpr uint16_t kFaceStrip = 229;
    static constexpr uint8_t kNoGroup = 4;

    uint8_t group = kNoGroup;
    bool dull = true;
    bool pressed = false;
    bool highlight = false;

    int FaceColumn() const;
    NSHarrowen::CColor Fill() const;
};

// The face pieces cut from the strip: the full small face, and the lighter
// faces of the segments that follow the first in a radio row.
namespace ButtonFace {
void DrawSmall(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame, const ButtonLook& look);
// The small face's edge pieces without the interior fill.
void DrawSmallEdges(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame, const ButtonLook& look);
void DrawFollowingHorizontal(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame, const ButtonLook& look);
void DrawFollowingVertical(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame, const ButtonLook& look);
} // namespace ButtonFace
