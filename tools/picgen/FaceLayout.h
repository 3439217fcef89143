#pragma once

#include "tools/picgen/BitmapFont.h"
#include "tools/picgen/FaceRect.h"
#include "tools/picgen/Raster.h"

#include <string>
#include <vector>

namespace picgen {

// What a label names.
enum class LabelKind { Control, Row, Step, Jack, Name };

struct FaceLabel {
    FaceRect box;
    std::string text; // a line break where it takes two lines
    LabelKind kind;
    FontSize size;
    std::vector<int> controls; // the controls (parameter indices) it names: one, or a row
    int jack = -1;             // the jack it names
};

// A module type's face as drawn, with what the tests check it by: every
// item's frame on the face and every label placed.
struct CFaceLayout {
    CRaster picture;
    std::vector<FaceRect> itemFrames; // items, then jacks, in face coordinates
    std::vector<FaceLabel> labels;
    std::vector<int> namedByOwnText; // controls (parameter indices) whose button shows their name
};

} // namespace picgen
