#pragma once

#include "tools/picgen/FaceLayout.h"
#include "tools/picgen/FaceRect.h"

#include <cstddef>
#include <string>
#include <vector>

class CBuildModule;

namespace picgen {

// The face plate of a module type: 250 x (15 x height - 6) pixels.
CFaceLayout PaintFace(const CBuildModule& type, size_t tab);

// The title strip at the face's top left, where the panel shows the module's
// name: kept plain.
constexpr FaceRect kTitleStrip = {0, 0, 81, 10};
// Items are placed in panel coordinates; the face starts inside the border.
constexpr int kBorder = 3;

} // namespace picgen
