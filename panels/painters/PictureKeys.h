#pragma once

#include "framework/images/ImageCache.h"

#include <cstdint>

// The kind word of a picture key says which resource type holds the
// picture: the program's image source decodes "JPEG" resources for kind 0,
// "SMTB" symbol bitmaps for kind 1 and "CBMP" bitmap strips for kind 2.
namespace PictureKind {
constexpr uint32_t kJpeg = 0;
constexpr uint32_t kSymbol = 1;
constexpr uint32_t kStrip = 2;
} // namespace PictureKind

inline NSHarrowen::CImageID JpegPicture(uint32_t number)
{
    return NSHarrowen::CImageID(number, PictureKind::kJpeg);
}
inline NSHarrowen::CImageID SymbolPicture(uint32_t number)
{
    return NSHarrowen::CImageID(number, PictureKind::kSymbol);
}
inline NSHarrowen::CImageID StripPicture(uint32_t number)
{
    return NSHarrowen::CImageID(number, PictureKind::kStrip);
}
