#include "framework/images/JPEGReader.h"

#include "framework/base/Exceptions.h"
#include "framework/images/detail/JPEGGlue.h"
#include "framework/files/MemoryMedia.h"
#include "framework/resources/ResourceMedia.h"

#include <array>
#include <vector>

namespace NSHarrowen {

namespace {

// One decompressor with the framework's error manager. Calls into libjpeg go
// through Run, whose plain frame is where a failing call jumps back to; the
// C++ exception is thrown only after that, outside libjpeg's frames.
class CJPEGDecoder {
public:
    explicit CJPEGDecoder(CMedia& media) : media_(media) { InitJPEGErrorManager(error_, library_); }
    ~CJPEGDecoder() { Destroy(); }
    CJPEGDecoder(const CJPEGDecoder&) = delete;
    CJPEGDecoder& operator=(const CJPEGDecoder&) = delete;

    jpeg_decompress_struct& Info() { return info_; }
    const CJPEGLibrary& Library() const { return library_; }

    // Runs step(this, context); on a libjpeg failure destroys the
    // decompressor and throws the exception of the failure.
    template <typename Context> void Run(void (*step)(CJPEGDecoder&, Context&), Context& context)
    {
        struct Call {
            void (*step)(CJPEGDecoder&, Context&);
            Context* context;
        } call{step, &context};
        const RawStep trampoline = [](CJPEGDecoder& d, void* raw) {
            auto* c = static_cast<Call*>(raw);
            c->step(d, *c->context);
        };
        if (!Guarded(trampoline, &call)) {
            Destroy();
            ThrowJPEGError(error_.code);
        }
    }

    // Create, attach the media, read the header.
    void Open()
    {
        int unused = 0;
        Run<int>(
            [](CJPEGDecoder& d, int&) {
                d.info_.err = &d.error_.pub;
                d.library_.createDecompress(&d.info_, JPEG_LIB_VERSION, sizeof(d.info_));
                d.created_ = true;
                SetJPEGMediaSource(&d.info_, &d.media_, d.library_);
                d.library_.readHeader(&d.info_, TRUE);
                // Blue, green, red: the byte order of bitmap rows.
                d.info_.out_color_space = JCS_EXT_BGR;
            },
            unused);
    }

    void Destroy()
    {
        if (created_)
            library_.destroyDecompress(&info_);
        created_ = false;
    }

private:
    using RawStep = void (*)(CJPEGDecoder&, void*);

    // Nothing in this frame or below it (up to libjpeg) has a destructor to run.
    bool Guarded(RawStep step, void* context)
    {
        if (setjmp(error_.jump) != 0)
            return false;
        step(*this, context);
        return true;
    }

    // First in, last out: the decompressor is destroyed before the library
    // whose code it runs goes.
    const CJPEGLibrary library_;
    CMedia& media_;
    jpeg_decompress_struct info_{};
    CJPEGErrorManager error_{};
    bool created_ = false;
};

// What the scanline loop writes into; all plain data.
struct CDecodeTarget {
    uint8_t* pixels = nullptr;
    int rowBytes = 0;
    int depth = 0;
    uint8_t* scanline = nullptr; // three bytes per pixel of the picture's width
    uint8_t* errorRow = nullptr; // depth 16: three bytes per pixel
    int carry[3] = {0, 0, 0};    // depth 16: runs on from row to row
    JSAMPROW colorMap[3] = {nullptr, nullptr, nullptr};
};

void Pack32(const uint8_t* bgr, uint8_t* row, unsigned width)
{
    for (unsigned x = 0; x < width; ++x) {
        row[4 * x] = bgr[3 * x];
        row[4 * x + 1] = bgr[3 * x + 1];
        row[4 * x + 2] = bgr[3 * x + 2];
        row[4 * x + 3] = 0;
    }
}

// 5-5-5 with the error of each channel carried to the next pixel and the next row.
void Pack16(const uint8_t* bgr, uint8_t* row, unsigned width, uint8_t* errorRow, int* carry)
{
    for (unsigned x = 0; x < width; ++x) {
        int five[3];
        for (int c = 0; c < 3; ++c) {
            int value = bgr[3 * x + c] + errorRow[3 * x + c] + carry[c];
            if (value > 255)
                value = 255;
            five[c] = value / 8;
            carry[c] = (value % 8) / 2;
            errorRow[3 * x + c] = static_cast<uint8_t>(carry[c]);
        }
        const unsigned pixel = (unsigned(five[2]) << 10) | (unsigned(five[1]) << 5) | unsigned(five[0]);
        row[2 * x] = static_cast<uint8_t>(pixel);
        row[2 * x + 1] = static_cast<uint8_t>(pixel >> 8);
    }
}

void DecodeRows(CJPEGDecoder& decoder, CDecodeTarget& target)
{
    jpeg_decompress_struct& info = decoder.Info();
    const CJPEGLibrary& library = decoder.Library();
    library.startDecompress(&info);
    const unsigned width = info.output_width;
    while (info.output_scanline < info.output_height) {
        uint8_t* row = target.pixels + static_cast<size_t>(info.output_scanline) * static_cast<size_t>(target.rowBytes);
        const bool direct = target.depth == 24 || target.depth == 8;
        JSAMPROW into = direct ? row : target.scanline;
        if (library.readScanlines(&info, &into, 1) != 1)
            break;
        if (target.depth == 32)
            Pack32(target.scanline, row, width);
        else if (target.depth == 16)
            Pack16(target.scanline, row, width, target.errorRow, target.carry);
    }
    library.finishDecompress(&info);
}

// The most pixels a picture may have. A header alone can claim any size, and
// a stream that ends early is still decoded whole, so without a bound a few
// hundred bytes could ask for gigabytes and seconds of decoding. The
// program's largest pictures are a few hundred pixels square.
constexpr uint64_t kMaxJPEGPixels = 2 * 1024 * 1024;

void CheckDecodedSize(CJPEGDecoder& decoder)
{
    const jpeg_decompress_struct& info = decoder.Info();
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > 32767 || info.image_height > 32767 ||
        uint64_t{info.image_width} * info.image_height > kMaxJPEGPixels) {
        decoder.Destroy();
        throw XJPegUnsupportedFormat();
    }
}

} // namespace

std::unique_ptr<CABCBitmap> ReadJPEGTrueColor(const CPixelFormat& format, CMedia& media)
{
    CJPEGDecoder decoder(media);
    decoder.Open();
    CheckDecodedSize(decoder);
    const jpeg_decompress_struct& info = decoder.Info();
    std::unique_ptr<CABCBitmap> bitmap = CreateBitmapOfDepth(info.image_width, info.image_height, format.GetDepth());
    if (!bitmap)
        throw XJPegUnsupportedFormat();
    // Sized from the picture, however wide it is.
    std::vector<uint8_t> scanline(static_cast<size_t>(info.image_width) * 3);
    std::vector<uint8_t> errorRow(static_cast<size_t>(info.image_width) * 3, 0);

    const CPixelLock lock(*bitmap);
    CDecodeTarget target;
    target.pixels = lock.Pixels();
    target.rowBytes = lock.RowBytes();
    target.depth = format.GetDepth();
    target.scanline = scanline.data();
    target.errorRow = errorRow.data();
    decoder.Run(DecodeRows, target);
    return bitmap;
}

std::unique_ptr<CABCBitmap> ReadJPEGPaletted(const CPixelFormat& format, CMedia& media)
{
    CJPEGDecoder decoder(media);
    decoder.Open();
    CheckDecodedSize(decoder);
    const CPalette palette = format.GetPalette() != nullptr ? *format.GetPalette() : CPalette();
    const CPixelFormat mapped(8, palette);
    const jpeg_decompress_struct& info = decoder.Info();
    auto bitmap = std::make_unique<CBitmap8>(info.image_width, info.image_height, palette);

    // The quantiser reads the map through non-const pointers; it never writes it.
    std::array<CPixelFormat::ColorMapRow, 3> colorMap = mapped.GetColorMap();
    CDecodeTarget target;
    for (int c = 0; c < 3; ++c)
        target.colorMap[c] = colorMap[static_cast<size_t>(c)].data();
    const CPixelLock lock(*bitmap);
    target.pixels = lock.Pixels();
    target.rowBytes = lock.RowBytes();
    target.depth = 8;
    decoder.Run<CDecodeTarget>(
        [](CJPEGDecoder& d, CDecodeTarget& t) {
            jpeg_decompress_struct& info = d.Info();
            info.quantize_colors = TRUE;
            info.two_pass_quantize = TRUE;
            info.dither_mode = JDITHER_FS;
            info.colormap = t.colorMap;
            info.actual_number_of_colors = CPalette::kSize;
            DecodeRows(d, t);
        },
        target);
    return bitmap;
}

std::unique_ptr<CABCBitmap> ReadJPEG(const CPixelFormat& format, CMedia& media)
{
    return format.GetDepth() == 8 ? ReadJPEGPaletted(format, media) : ReadJPEGTrueColor(format, media);
}

std::unique_ptr<CABCBitmap> ReadJPEGResource(const CPixelFormat& format, int32_t resource)
{
    const std::unique_ptr<CMemoryMedia> media = LoadMedia("JPEG", resource);
    return ReadJPEG(format, *media);
}

} // namespace NSHarrowen
