// The picture readers: JPEG into bitmaps of every depth, and BMP.
//
// Input: one byte choosing the reader and depth, then the file's bytes.

#include "framework/base/Exceptions.h"
#include "framework/files/MemoryMedia.h"
#include "framework/images/BMPReader.h"
#include "framework/images/Bitmap.h"
#include "framework/images/JPEGReader.h"
#include "framework/images/PixelFormat.h"
#include "tests/fuzz/FuzzInput.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace NSHarrowen;
    static constexpr std::array<int, 4> kDepths{8, 16, 24, 32};
    fuzzinput::CFuzzInput input(data, size);
    const uint8_t choice = input.TakeByte();
    CMemoryMedia media(input.Rest());
    try {
        if ((choice & 0x80) != 0)
            (void)ReadBMP(media);
        else
            (void)ReadJPEG(CPixelFormat(kDepths[choice % kDepths.size()]), media);
    } catch (const XBase&) {
        // Refused as a bad or unsupported picture.
    }
    return 0;
}
