#include "framework/images/BMPReader.h"
#include "framework/base/Exceptions.h"
#include "framework/images/ImageCache.h"
#include "framework/images/ImageSource.h"
#include "framework/images/JPEGReader.h"
#include "framework/files/MemoryMedia.h"
#include "framework/images/PixelFormat.h"
#include "framework/resources/ResourceModule.h"
#include "platform/graphics/Region.h"
#include "tests/support/BmpBuilder.h"

#include <cstdio>
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include <functional>
#include <set>
#include <vector>

using namespace NSHarrowen;
using testsupport::MakeBMP;
using testsupport::Put16;
using testsupport::Put32;

namespace {

using PixelSource = std::function<platform::Rgb(int x, int y)>;

// JPEG bytes made with libjpeg's own compressor.
std::vector<uint8_t> EncodeJPEG(int width, int height, const PixelSource& pixel, int quality = 95, bool grey = false)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            const platform::Rgb c = pixel(x, y);
            if (grey) {
                row[static_cast<size_t>(x)] = platform::RedOf(c);
            } else {
                row[3 * static_cast<size_t>(x)] = platform::RedOf(c);
                row[3 * static_cast<size_t>(x) + 1] = platform::GreenOf(c);
                row[3 * static_cast<size_t>(x) + 2] = platform::BlueOf(c);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(out, out + size);
    std::free(out);
    return bytes;
}

// Left half red, right half blue.
platform::Rgb Halves(int x, int)
{
    return x < 32 ? 0xFF0000 : 0x0000FF;
}

// Noise, so the compressed data is long and every part of it matters.
platform::Rgb Noise(int x, int y)
{
    return static_cast<platform::Rgb>((x * 2654435761u) ^ (y * 40503u * 977u)) & 0xFFFFFF;
}

std::unique_ptr<CABCBitmap> Decode(int depth, const std::vector<uint8_t>& bytes)
{
    CMemoryMedia media{std::span<const uint8_t>(bytes)};
    return ReadJPEG(CPixelFormat(depth), media);
}

// The colour of a decoded pixel, whatever the depth.
platform::Rgb PixelOf(CABCBitmap& bitmap, int x, int y)
{
    return bitmap.GetDC()->GetPixel(x, y).value_or(0xFFFFFFFF);
}

bool Near(platform::Rgb a, platform::Rgb b, int tolerance)
{
    auto d = [](int p, int q) { return p > q ? p - q : q - p; };
    return d(platform::RedOf(a), platform::RedOf(b)) <= tolerance &&
        d(platform::GreenOf(a), platform::GreenOf(b)) <= tolerance &&
        d(platform::BlueOf(a), platform::BlueOf(b)) <= tolerance;
}

TEST(JPEG, DecodesAtEveryDepth)
{
    const std::vector<uint8_t> bytes = EncodeJPEG(64, 16, Halves);
    for (int depth : {32, 24, 16, 8}) {
        auto bitmap = Decode(depth, bytes);
        ASSERT_TRUE(bitmap) << depth;
        EXPECT_EQ(bitmap->GetDepth(), depth);
        EXPECT_EQ(bitmap->GetWidth(), 64);
        EXPECT_EQ(bitmap->GetHeight(), 16);
        EXPECT_EQ(bitmap->GetLockCount(), 0);
        EXPECT_PRED3(Near, PixelOf(*bitmap, 8, 8), 0xFF0000u, 10) << depth;
        EXPECT_PRED3(Near, PixelOf(*bitmap, 56, 8), 0x0000FFu, 10) << depth;
    }
}

TEST(JPEG, ThirtyTwoBitPixelsAreBlueGreenRedZero)
{
    auto bitmap = Decode(32,
                         EncodeJPEG(
                             16, 16, [](int, int) { return 0x2060C0u; }, 100));
    uint8_t* p = bitmap->LockPixels();
    EXPECT_NEAR(p[0], 0xC0, 3);
    EXPECT_NEAR(p[1], 0x60, 3);
    EXPECT_NEAR(p[2], 0x20, 3);
    EXPECT_EQ(p[3], 0);
    bitmap->UnlockPixels(p);
}

TEST(JPEG, SixteenBitsDiffuseTheErrorSoGreyHundredMixesTwelveAndThirteen)
{
    const std::vector<uint8_t> bytes = EncodeJPEG(
        32, 32, [](int, int) { return 0x646464u; }, 100, true);
    {
        auto exact = Decode(24, bytes);
        uint8_t* p = exact->LockPixels();
        ASSERT_EQ(p[0], 100) << "the fixture decodes to exactly 100";
        exact->UnlockPixels(p);
    }
    auto bitmap = Decode(16, bytes);
    uint8_t* p = bitmap->LockPixels();
    std::set<int> seen[3];
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint8_t* q = p + y * bitmap->GetRowBytes() + 2 * x;
            const int v = q[0] | (q[1] << 8);
            EXPECT_EQ(v & 0x8000, 0);
            seen[0].insert((v >> 10) & 31);
            seen[1].insert((v >> 5) & 31);
            seen[2].insert(v & 31);
        }
    bitmap->UnlockPixels(p);
    for (const auto& channel : seen)
        EXPECT_EQ(channel, (std::set<int>{12, 13}));
}

TEST(JPEG, EightBitsMapOntoThePalette)
{
    auto bitmap = Decode(8, EncodeJPEG(64, 16, Halves));
    uint8_t* p = bitmap->LockPixels();
    EXPECT_EQ(p[8 * bitmap->GetRowBytes() + 8], 249) << "standard red";
    EXPECT_EQ(p[8 * bitmap->GetRowBytes() + 56], 252) << "standard blue";
    bitmap->UnlockPixels(p);
}

TEST(JPEG, EmptyAndForeignInputAreBadFormat)
{
    const std::vector<uint8_t> empty;
    EXPECT_THROW(Decode(32, empty), XJPegBadFormat);
    EXPECT_THROW(Decode(8, empty), XJPegBadFormat);
    const std::string text = "This is plainly not a picture, just some words in a file.";
    const std::vector<uint8_t> foreign(text.begin(), text.end());
    EXPECT_THROW(Decode(24, foreign), XJPegBadFormat);
    EXPECT_THROW(Decode(16, foreign), XBadFormat) << "callers may catch the general class";
}

TEST(JPEG, TruncatedStreamStillGivesTheWholePicture)
{
    const std::vector<uint8_t> bytes = EncodeJPEG(200, 100, Noise, 90);
    ASSERT_GT(bytes.size(), 3u * 4096) << "longer than a few input blocks";
    const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() * 6 / 10));
    for (int depth : {32, 16, 8}) {
        std::unique_ptr<CABCBitmap> bitmap;
        ASSERT_NO_THROW(bitmap = Decode(depth, cut)) << depth;
        EXPECT_EQ(bitmap->GetWidth(), 200);
        EXPECT_EQ(bitmap->GetHeight(), 100);
    }
}

TEST(JPEG, PicturesWiderThanTwoThousandPixels)
{
    const std::vector<uint8_t> bytes = EncodeJPEG(3000, 8, [](int x, int) { return x < 2900 ? 0x00FF00u : 0xFF0000u; });
    for (int depth : {32, 16, 24}) {
        auto bitmap = Decode(depth, bytes);
        EXPECT_EQ(bitmap->GetWidth(), 3000);
        EXPECT_PRED3(Near, PixelOf(*bitmap, 2990, 4), 0xFF0000u, 12) << depth;
    }
}

// A header that claims a picture far larger than its data (a fuzzing find:
// 587 bytes asked for 2560 x 10751 pixels and seconds of decoding) is
// refused before any bitmap is made; so is every size over the pixel bound,
// however it is shaped.
TEST(JPEG, HeadersClaimingHugePicturesAreUnsupported)
{
    const std::vector<uint8_t> small = EncodeJPEG(16, 16, Halves);
    const std::array<uint8_t, 2> startOfFrame{0xFF, 0xC0};
    const auto frame = std::search(small.begin(), small.end(), startOfFrame.begin(), startOfFrame.end());
    ASSERT_NE(frame, small.end());
    const size_t at = static_cast<size_t>(frame - small.begin());
    const struct {
        int width;
        int height;
    } sizes[] = {{2560, 10751}, {255, 10506}, {32767, 32767}, {2048, 1025}, {32767, 65}};
    for (const auto& size : sizes) {
        std::vector<uint8_t> claimed = small;
        claimed[at + 5] = static_cast<uint8_t>(size.height >> 8);
        claimed[at + 6] = static_cast<uint8_t>(size.height);
        claimed[at + 7] = static_cast<uint8_t>(size.width >> 8);
        claimed[at + 8] = static_cast<uint8_t>(size.width);
        for (int depth : {32, 24, 16, 8})
            EXPECT_THROW(Decode(depth, claimed), XJPegUnsupportedFormat)
                << size.width << "x" << size.height << " at " << depth;
    }
}

// A media whose data stops being readable after the first block.
class CFailingMedia : public CMemoryMedia {
public:
    using CMemoryMedia::CMemoryMedia;
    void Read(uint32_t count, void* buffer) override
    {
        if (GetPosition() + count > 4096)
            throw XRead();
        CMemoryMedia::Read(count, buffer);
    }
};

TEST(JPEG, AReadFailureInTheMiddleIsReportedAndNothingLeaks)
{
    const std::vector<uint8_t> bytes = EncodeJPEG(200, 100, Noise, 90);
    CFailingMedia media{std::span<const uint8_t>(bytes)};
    EXPECT_THROW(ReadJPEG(CPixelFormat(32), media), XJPegBadFormat);
}

TEST(ImageCache, FindAddRemoveAndLoad)
{
    static const std::vector<uint8_t> jpeg = EncodeJPEG(20, 10, Halves);
    static const CResourceEntry entries[] = {{"JPEG", 4711, jpeg.data(), jpeg.size()}};
    const CResourceModule module("picture test", entries);

    CImageCache cache;
    const CPixelFormat format(32);
    CABCBitmap* loaded = cache.LoadJPEG(format, CImageID(4711));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetWidth(), 20);
    EXPECT_EQ(cache.Find(CImageID(4711)), loaded);
    EXPECT_EQ(cache.Find(CImageID(4711)), cache.Find(CImageID(4711, 0, 0)));
    EXPECT_EQ(cache.Find(CImageID(4711, 1)), nullptr) << "all three words count";

    cache.Remove(CImageID(99));
    EXPECT_EQ(cache.GetCount(), 1u);
    cache.Add(CImageID(5), std::make_unique<CBitmap32>(3, 3));
    cache.Remove(CImageID(4711));
    EXPECT_EQ(cache.Find(CImageID(4711)), nullptr);
    EXPECT_NE(cache.Find(CImageID(5)), nullptr);

    EXPECT_THROW(cache.LoadJPEG(format, CImageID(4712)), XBase) << "no such resource";
    EXPECT_EQ(cache.GetCount(), 1u);
}

// For a 32-bit screen the cache keeps a picture at 24 bits; drawn whole,
// in part, clipped or onto a picture of another depth it gives the pixels
// of the picture decoded at 32 bits.
TEST(ImageCache, PicturesForA32BitScreenAreKeptSmallerAndDrawAlike)
{
    static const std::vector<uint8_t> jpeg = EncodeJPEG(21, 13, Noise);
    static const CResourceEntry entries[] = {{"JPEG", 4720, jpeg.data(), jpeg.size()}};
    const CResourceModule module("compact picture test", entries);
    CImageCache cache;
    CABCBitmap* kept = cache.LoadJPEG(CPixelFormat(32), CImageID(4720));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetDepth(), 24);
    const std::unique_ptr<CABCBitmap> wide = Decode(32, jpeg);

    const platform::Region clip(platform::IntRect{3, 2, 17, 11});
    for (const int targetDepth : {32, 16}) {
        for (const bool clipped : {false, true}) {
            const std::unique_ptr<CABCBitmap> fromKept = CreateBitmapOfDepth(30, 20, targetDepth);
            const std::unique_ptr<CABCBitmap> fromWide = CreateBitmapOfDepth(30, 20, targetDepth);
            for (CABCBitmap* target : {fromKept.get(), fromWide.get()}) {
                target->FillRect(CRect(0, 0, 30, 20), CColor(0x1200, 0x3400, 0x5600));
                target->GetDC()->SelectClip(clipped ? &clip : nullptr);
            }
            fromKept->DrawBitmap(2, 1, *kept);
            fromWide->DrawBitmap(2, 1, *wide);
            fromKept->DrawBitmapPart(9, 12, *kept, 4, 3, 15, 6);
            fromWide->DrawBitmapPart(9, 12, *wide, 4, 3, 15, 6);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 30; ++x)
                    ASSERT_EQ(PixelOf(*fromKept, x, y), PixelOf(*fromWide, x, y))
                        << "at " << x << "," << y << " on depth " << targetDepth << (clipped ? " clipped" : "");
        }
    }
    // On a 32-bit picture the fourth byte is 0, as a 32-bit decode leaves it.
    CBitmap32 target(21, 13);
    target.DrawBitmap(0, 0, *kept);
    const CPixelLock lock(target);
    EXPECT_EQ(lock.Row(5)[4 * 7 + 3], 0);
}

TEST(ImageCache, PicturesComeFromTheRegisteredSource)
{
    struct CSource : CImageSource {
        CImageCache cache;
        CABCBitmap* GetImage(const CImageID& id) override { return cache.Find(id); }
    } source;
    source.cache.Add(CImageID(7), std::make_unique<CBitmap32>(12, 5));
    EXPECT_EQ(GetImage(CImageID(7)), nullptr) << "no source yet";
    SetImageSource(&source);
    EXPECT_EQ(GetImage(CImageID(7)), source.cache.Find(CImageID(7)));
    EXPECT_EQ(GetImageSize(CImageID(7)), CPoint(12, 5));
    EXPECT_EQ(GetImageSize(CImageID(8)), CPoint(0, 0));

    CBitmap32 target(20, 10);
    target.FillRect(CRect(0, 0, 20, 10), kBlack);
    GetImage(CImageID(7))->FillRect(CRect(0, 0, 12, 5), kWhite);
    target.DrawImagePart(1, 1, CImageID(7), 0, 0, 2, 2);
    target.DrawImage(10, 5, CImageID(8)); // unknown: nothing
    BlitImagePart(target, 15, 5, CImageID(7), 0, 0, 1, 1);
    EXPECT_EQ(target.GetDC()->GetPixel(15, 5), 0xFFFFFFu);
    EXPECT_EQ(target.GetDC()->GetPixel(16, 5), 0u);
    EXPECT_EQ(target.GetDC()->GetPixel(2, 2), 0xFFFFFFu);
    EXPECT_EQ(target.GetDC()->GetPixel(3, 3), 0u);
    SetImageSource(nullptr);
}

// ---- BMP ------------------------------------------------------------------

std::unique_ptr<CBitmap32> ReadBMPBytes(const std::vector<uint8_t>& bytes)
{
    CMemoryMedia media{std::span<const uint8_t>(bytes)};
    return ReadBMP(media);
}

TEST(BMP, ReadsBottomUpRowsWithPadding)
{
    auto bitmap = ReadBMPBytes(MakeBMP(3, 2)); // rows of 12 bytes: 9 of pixels, 3 of padding
    ASSERT_EQ(bitmap->GetWidth(), 3);
    ASSERT_EQ(bitmap->GetHeight(), 2);
    uint8_t* p = bitmap->LockPixels();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const uint8_t* q = p + y * bitmap->GetRowBytes() + 4 * x;
            EXPECT_EQ(q[0], x);
            EXPECT_EQ(q[1], y);
            EXPECT_EQ(q[2], 0x80);
            EXPECT_EQ(q[3], 0);
        }
    bitmap->UnlockPixels(p);
}

TEST(BMP, RefusesWhatItCannotRead)
{
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> spoil;
    };
    const Case cases[] = {
        {"signature", [](auto& b) { b[0] = 'X'; }},
        {"8 bits", [](auto& b) { Put16(b, 28, 8); }},
        {"compressed", [](auto& b) { Put32(b, 30, 1); }},
        {"no width", [](auto& b) { Put32(b, 18, 0); }},
        {"top-down height", [](auto& b) { Put32(b, 22, static_cast<uint32_t>(-2)); }},
        {"too wide", [](auto& b) { Put32(b, 18, 40000); }},
        {"pixels past the end", [](auto& b) { b.resize(b.size() - 1); }},
        {"pixel offset past the end", [](auto& b) { Put32(b, 10, 5000); }},
        {"header cut short", [](auto& b) { b.resize(40); }},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = MakeBMP(3, 2);
        c.spoil(bytes);
        EXPECT_THROW(ReadBMPBytes(bytes), XBadFormat) << c.name;
    }
}

} // namespace
