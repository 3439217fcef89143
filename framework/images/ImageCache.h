#pragma once

#include "framework/images/Bitmap.h"
#include "framework/images/ImageSource.h"
#include "framework/drawing/ABCCanvas.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace NSHarrowen {

class CPixelFormat;

// The key of a picture: the resource number and two more words (0 unless
// given). An id made from 0 is the empty id.
class CImageID {
public:
    constexpr CImageID() = default;
    constexpr explicit CImageID(uint32_t resource, uint32_t second = 0, uint32_t third = 0)
        : words_{resource, second, third}
    { }

    constexpr uint32_t GetResource() const { return words_[0]; }
    constexpr uint32_t GetWord(int index) const { return words_[index]; }
    constexpr bool IsEmpty() const { return words_[0] == 0 && words_[1] == 0 && words_[2] == 0; }
    constexpr bool operator==(const CImageID&) const = default;

private:
    uint32_t words_[3] = {0, 0, 0};
};

// Decoded pictures by id, each owned by its record; looked up first to last.
class CImageCache {
public:
    CABCBitmap* Find(const CImageID& id) const;
    void Add(const CImageID& id, std::unique_ptr<CABCBitmap> bitmap);
    // Deletes the first record with the id; an id not cached changes nothing.
    void Remove(const CImageID& id);
    // Decodes the "JPEG" resource of the id's first word and adds it; returns
    // it. For a 32-bit format the picture is kept at 24 bits (drawn alike).
    CABCBitmap* LoadJPEG(const CPixelFormat& format, const CImageID& id);
    void DeleteAll() { records_.clear(); }
    size_t GetCount() const { return records_.size(); }

private:
    struct Record {
        CImageID id;
        std::unique_ptr<CABCBitmap> bitmap;
    };
    std::vector<Record> records_;
};

// The application registers itself at start and unregisters (null) at exit.
void SetImageSource(CImageSource* source);
CImageSource* GetImageSource();

// The picture of the id, or none when there is no source or no such picture.
CABCBitmap* GetImage(const CImageID& id);
// Width and height of the picture; (0, 0) when there is none.
CPoint GetImageSize(const CImageID& id);
// Copies a part of a picture onto a canvas, unscaled (the picture buttons' painters use it).
void BlitImagePart(CABCCanvas& canvas, int32_t x, int32_t y, const CImageID& id, int32_t sourceX, int32_t sourceY,
                   int32_t width, int32_t height);

} // namespace NSHarrowen
