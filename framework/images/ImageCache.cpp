#include "framework/images/ImageCache.h"
#include "framework/images/ImageSource.h"

#include "framework/images/JPEGReader.h"
#include "framework/drawing/ABCCanvas.h"

#include <algorithm>

namespace NSHarrowen {

CABCBitmap* CImageCache::Find(const CImageID& id) const
{
    auto it = std::find_if(records_.begin(), records_.end(), [&](const Record& r) { return r.id == id; });
    return it != records_.end() ? it->bitmap.get() : nullptr;
}

void CImageCache::Add(const CImageID& id, std::unique_ptr<CABCBitmap> bitmap)
{
    records_.push_back({id, std::move(bitmap)});
}

void CImageCache::Remove(const CImageID& id)
{
    auto it = std::find_if(records_.begin(), records_.end(), [&](const Record& r) { return r.id == id; });
    if (it != records_.end())
        records_.erase(it);
}

CABCBitmap* CImageCache::LoadJPEG(const CPixelFormat& format, const CImageID& id)
{
    // A JPEG has no fourth byte to keep: for a 32-bit screen its pictures
    // are kept at 24 bits, the same colours in three quarters of the memory,
    // and widened again as they are drawn.
    const CPixelFormat compact(24);
    const CPixelFormat& kept = format.GetDepth() == 32 ? compact : format;
    std::unique_ptr<CABCBitmap> bitmap = ReadJPEGResource(kept, static_cast<int32_t>(id.GetResource()));
    CABCBitmap* result = bitmap.get();
    Add(id, std::move(bitmap));
    return result;
}

namespace {
CImageSource* gImageSource = nullptr;
} // namespace

void SetImageSource(CImageSource* source)
{
    gImageSource = source;
}
CImageSource* GetImageSource()
{
    return gImageSource;
}

CABCBitmap* GetImage(const CImageID& id)
{
    return gImageSource != nullptr ? gImageSource->GetImage(id) : nullptr;
}

CPoint GetImageSize(const CImageID& id)
{
    const CABCBitmap* bitmap = GetImage(id);
    return bitmap != nullptr ? CPoint(bitmap->GetWidth(), bitmap->GetHeight()) : CPoint();
}

void BlitImagePart(CABCCanvas& canvas, int32_t x, int32_t y, const CImageID& id, int32_t sourceX, int32_t sourceY,
                   int32_t width, int32_t height)
{
    canvas.DrawImagePart(x, y, id, sourceX, sourceY, width, height);
}

} // namespace NSHarrowen
