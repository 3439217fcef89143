#pragma once

#include "tools/picgen/PictureSet.h"
#include "tools/picgen/Raster.h"

namespace picgen {

// One picture of everything: every module type's face at its size, in
// toolbar order with its name above it, then every fixed picture with its
// type and id, so that a person can look at all of them at once.
CRaster MakeGallery();

} // namespace picgen
