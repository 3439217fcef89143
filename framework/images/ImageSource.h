#pragma once

namespace NSHarrowen {

class CABCBitmap;
class CImageID;

// Where pictures come from: the application object answers with its cache.
class CImageSource {
public:
    virtual ~CImageSource() = default;
    // The picture of the id, or none.
    virtual CABCBitmap* GetImage(const CImageID& id) = 0;
};

} // namespace NSHarrowen
