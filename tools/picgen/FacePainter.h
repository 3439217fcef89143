#pragma once

#include "tools/picgen/FaceLayout.h"
#include "tools/picgen/FaceRect.h"

#include "panels/ModuleTypeSpec.h"

#include <cstddef>
#include <string>
#include <vector>

class CBuildModule;

namespace picgen {

// The face plate of a module type: 250 x (15 x height - 6) pixels.
CFaceLayout PaintFace(const CBuildModule& type, size_t tab);

// What a reader sees of an item in its frame on the face: a knob's body,
// whose frame may reach well past it (an indicator knob's, under it); the
// whole frame of any other item.
FaceRect SeenOf(ItemClass itemClass, const FaceRect& frame);

// The title strip at the face's top left, where the panel shows the module's
// name: kept plain.
constexpr FaceRect kTitleStrip = {0, 0, 81, 10};
// The strip in the tab's colour along a face's bottom edge, which marks
// where one module ends and the next begins: labels keep off it too.
constexpr FaceRect BottomStrip(int width, int height)
{
    constexpr int kStripHeight = 2;
    return {0, height - kStripHeight, width, kStripHeight};
}
// The line in the tab's colour along a face's top edge, after the title
// strip: labels may touch it but not cover it.
constexpr FaceRect AccentLine(int width)
{
    const int x = kTitleStrip.x + kTitleStrip.w + 2;
    return {x, 0, width - x, 1};
}
// Items are placed in panel coordinates; the face starts inside the border.
constexpr int kBorder = 3;

} // namespace picgen
