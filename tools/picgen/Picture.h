#pragma once

#include "tools/picgen/Raster.h"

#include <cstdint>
#include <string>
#include <vector>

namespace picgen {

enum class PictureEncoding { Jpeg, Bmp, Cursor };

// One generated resource: its type and id, how it is stored, and the picture
// as drawn (before compression).
struct CPicture {
    std::string type; // "JPEG", "SMTB", "CBMP", "CURS" or "ICON"
    int id;
    PictureEncoding encoding;
    CRaster raster;
    int hotX = 0; // cursors only
    int hotY = 0;

    std::vector<uint8_t> Encode() const;
    // The file the generator writes it to, e.g. "JPEG-472.jpg".
    std::string FileName() const;
};

CPicture MakeJpeg(int id, CRaster raster);
CPicture MakeBitmap(const std::string& type, int id, CRaster raster);
CPicture MakeCursor(int id, CRaster raster, int hotX, int hotY);

} // namespace picgen
