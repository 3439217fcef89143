#pragma once

#include "tools/picgen/FacePainter.h"
#include "tools/picgen/Picture.h"

#include <vector>

namespace picgen {

// Every module type's face, in toolbar order.
struct FacePicture {
    int typeId;
    int jpegId;
    CFaceLayout layout;
};
std::vector<FacePicture> MakeFaces();

// Every picture the programs read: the faces, then the fixed pictures.
std::vector<CPicture> MakeAllPictures();

} // namespace picgen
