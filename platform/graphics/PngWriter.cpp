#include "platform/graphics/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace platform {

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

template <typename GetPixel> void WriteRgbRows(const std::string& path, int width, int height, GetPixel&& get)
{
    if (width <= 0 || height <= 0)
        throw std::runtime_error("cannot save an empty picture: " + path);
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw std::runtime_error("cannot create " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("cannot start PNG writer");
    }
    // Every row is prepared before libpng runs, so nothing below has to be
    // unwound when libpng jumps back here.
    std::vector<png_byte> bytes(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        png_bytep row = bytes.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
        rows[static_cast<size_t>(y)] = row;
        for (int x = 0; x < width; ++x) {
            const Rgb c = get(x, y);
            row[3 * x] = RedOf(c);
            row[3 * x + 1] = GreenOf(c);
            row[3 * x + 2] = BlueOf(c);
        }
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot write " + path);
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
}

} // namespace

void WritePng(const std::string& path, const PixelBuffer& pixels)
{
    WriteRgbRows(path, pixels.Width(), pixels.Height(), [&](int x, int y) { return pixels.At(x, y); });
}

void WritePng(const std::string& path, const Surface& surface)
{
    WriteRgbRows(path, surface.Width(), surface.Height(), [&](int x, int y) { return surface.Get(x, y); });
}

} // namespace platform
