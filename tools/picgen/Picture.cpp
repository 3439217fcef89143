#include "tools/picgen/Picture.h"

#include "tools/picgen/PictureEncoders.h"

#include <utility>

namespace picgen {

std::vector<uint8_t> CPicture::Encode() const
{
    switch (encoding) {
    case PictureEncoding::Jpeg:
        return EncodeJpeg(raster.Pixels());
    case PictureEncoding::Bmp:
        return EncodeBmp(raster.Pixels());
    case PictureEncoding::Cursor:
        break;
    }
    return EncodeCursor(raster.Pixels(), hotX, hotY);
}

std::string CPicture::FileName() const
{
    const char* extension = encoding == PictureEncoding::Jpeg ? ".jpg"
        : encoding == PictureEncoding::Bmp                    ? ".bmp"
                                                              : ".cur";
    return type + "-" + std::to_string(id) + extension;
}

CPicture MakeJpeg(int id, CRaster raster)
{
    return {"JPEG", id, PictureEncoding::Jpeg, std::move(raster)};
}

CPicture MakeBitmap(const std::string& type, int id, CRaster raster)
{
    return {type, id, PictureEncoding::Bmp, std::move(raster)};
}

CPicture MakeCursor(int id, CRaster raster, int hotX, int hotY)
{
    return {"CURS", id, PictureEncoding::Cursor, std::move(raster), hotX, hotY};
}

} // namespace picgen
