#include "platform/PngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace platform {

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

} // namespace

bool SavePng(const PixelBuffer& pixels, const std::string& path)
{
    if (pixels.Width() <= 0 || pixels.Height() <= 0)
        return false;
    File file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<size_t>(pixels.Width()) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.Width()), static_cast<png_uint_32>(pixels.Height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < pixels.Height(); ++y) {
        const uint32_t* src = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x) {
            row[static_cast<size_t>(x) * 3] = static_cast<png_byte>(src[x] >> 16);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(src[x] >> 8);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(src[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
}

bool LoadPng(const std::string& path, PixelBuffer& out)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> data(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, data.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    out.Resize(static_cast<int>(image.width), static_cast<int>(image.height));
    for (size_t i = 0; i < data.size(); ++i)
        out.Data()[i] = data[i] & 0x00FFFFFF;
    return true;
}

} // namespace platform
