#pragma once

#include "tools/picgen/LabelPlacer.h"
#include "tools/picgen/Raster.h"

#include <cstddef>
#include <string>
#include <vector>

class CBuildModule;

namespace picgen {

// What a label names.
enum class LabelKind { Control, Row, Step, Jack, Name };

struct FaceLabel {
    FaceRect box;
    std::string text;
    LabelKind kind;
    FontSize size;
    std::vector<int> controls; // the controls (parameter indices) it names: one, or a row
};

// A module type's face as drawn, with what the tests check it by: every
// item's frame on the face and every label placed.
struct CFaceLayout {
    CRaster picture;
    std::vector<FaceRect> itemFrames; // items, then jacks, in face coordinates
    std::vector<FaceLabel> labels;
};

// The face plate of a module type: 250 x (15 x height - 6) pixels.
CFaceLayout PaintFace(const CBuildModule& type, size_t tab);

// The title strip at the face's top left, where the panel shows the module's
// name: kept plain.
constexpr FaceRect kTitleStrip = {0, 0, 81, 10};
// Items are placed in panel coordinates; the face starts inside the border.
constexpr int kBorder = 3;

} // namespace picgen
