#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/PngWriter.h"
#include "tests/support/TempDir.h"

#include <png.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

platform::PixelBuffer Numbered(int width, int height)
{
    platform::PixelBuffer b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.Set(x, y, static_cast<uint32_t>(y * 100 + x));
    return b;
}

TEST(DeviceContext, BlitWithinOneSurfaceScrollsInEitherDirection)
{
    for (int shift : {3, -3}) {
        platform::PixelBuffer b = Numbered(10, 10);
        const platform::PixelBuffer before = b;
        platform::DeviceContext dc(b);
        // Rows 3..6 move down or up by shift, as a scrolled window does.
        dc.BitBlt(0, 3 + shift, 10, 4, dc, 0, 3);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 10; ++x)
                ASSERT_EQ(b.At(x, 3 + shift + y), before.At(x, 3 + y)) << shift << " " << x << "," << y;
    }
    platform::PixelBuffer b = Numbered(10, 1);
    const platform::PixelBuffer before = b;
    platform::DeviceContext dc(b);
    dc.BitBlt(2, 0, 8, 1, dc, 0, 0); // sideways overlap
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(b.At(x + 2, 0), before.At(x, 0));
}

TEST(DeviceContext, BlitIgnoresSourceOutsideItsSurface)
{
    platform::PixelBuffer source = Numbered(4, 4);
    platform::PixelBuffer target(8, 8, 0xABCDEF);
    platform::DeviceContext from(source);
    platform::DeviceContext to(target);
    to.BitBlt(0, 0, 8, 8, from, -2, -2);
    EXPECT_EQ(target.At(0, 0), 0xABCDEFu);
    EXPECT_EQ(target.At(2, 2), source.At(0, 0));
    EXPECT_EQ(target.At(5, 5), source.At(3, 3));
    EXPECT_EQ(target.At(6, 6), 0xABCDEFu);
}

TEST(PngWriter, WritesWhatReadsBack)
{
    testsupport::TempDir dir;
    const platform::PixelBuffer b = Numbered(5, 3);
    const std::string path = dir.File("shot.png");
    platform::WritePng(path, b);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    ASSERT_EQ(image.width, 5u);
    ASSERT_EQ(image.height, 3u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint8_t* p = &pixels[static_cast<size_t>(3 * (y * 5 + x))];
            EXPECT_EQ(platform::MakeRgb(p[0], p[1], p[2]), b.At(x, y));
        }
    EXPECT_THROW(platform::WritePng(dir.File("no/such/folder.png"), b), std::runtime_error);
}

} // namespace
