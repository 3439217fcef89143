#include "tools/picgen/PictureEncoders.h"

#include "framework/images/CursorImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>
#include <string>

namespace picgen {

namespace {

constexpr int kJpegQuality = 100;

void PutLE16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutLE32(std::vector<uint8_t>& out, uint32_t v)
{
    PutLE16(out, v & 0xFFFF);
    PutLE16(out, v >> 16);
}

// libjpeg reports errors by calling error_exit, from C frames: jump back to
// the compressor's frame and throw from there.
struct JumpingErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOnError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JumpingErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Owns the compressor and the memory it writes into.
class CJpegCompressor {
public:
    CJpegCompressor()
    {
        info_.err = jpeg_std_error(&errors_.manager);
        errors_.manager.error_exit = JumpOnError;
        jpeg_create_compress(&info_);
    }
    ~CJpegCompressor()
    {
        jpeg_destroy_compress(&info_);
        std::free(buffer_);
    }
    CJpegCompressor(const CJpegCompressor&) = delete;
    CJpegCompressor& operator=(const CJpegCompressor&) = delete;

    std::vector<uint8_t> Compress(const platform::PixelBuffer& pixels)
    {
        std::vector<JSAMPLE> row(static_cast<size_t>(pixels.Width()) * 3);
        if (!Run(pixels, row.data()))
            throw std::runtime_error(std::string("JPEG compression failed: ") + errors_.message);
        return {buffer_, buffer_ + size_};
    }

private:
    // No C++ object with a destructor lives in this frame, so the jump back
    // from an error leaves nothing behind.
    bool Run(const platform::PixelBuffer& pixels, JSAMPLE* row)
    {
        if (setjmp(errors_.jump))
            return false;
        jpeg_mem_dest(&info_, &buffer_, &size_);
        info_.image_width = static_cast<JDIMENSION>(pixels.Width());
        info_.image_height = static_cast<JDIMENSION>(pixels.Height());
        info_.input_components = 3;
        info_.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info_);
        jpeg_set_quality(&info_, kJpegQuality, TRUE);
        for (int c = 0; c < info_.num_components; ++c) {
            info_.comp_info[c].h_samp_factor = 1;
            info_.comp_info[c].v_samp_factor = 1;
        }
        jpeg_start_compress(&info_, TRUE);
        while (info_.next_scanline < info_.image_height) {
            const uint32_t* src = pixels.Row(static_cast<int>(info_.next_scanline));
            for (int x = 0; x < pixels.Width(); ++x) {
                row[x * 3] = static_cast<JSAMPLE>(src[x] >> 16);
                row[x * 3 + 1] = static_cast<JSAMPLE>(src[x] >> 8);
                row[x * 3 + 2] = static_cast<JSAMPLE>(src[x]);
            }
            JSAMPROW rows[1] = {row};
            jpeg_write_scanlines(&info_, rows, 1);
        }
        jpeg_finish_compress(&info_);
        return true;
    }

    jpeg_compress_struct info_{};
    JumpingErrors errors_{};
    unsigned char* buffer_ = nullptr;
    unsigned long size_ = 0;
};

} // namespace

std::vector<uint8_t> EncodeJpeg(const platform::PixelBuffer& pixels)
{
    CJpegCompressor compressor;
    return compressor.Compress(pixels);
}

std::vector<uint8_t> EncodeBmp(const platform::PixelBuffer& pixels)
{
    const uint32_t rowBytes = (static_cast<uint32_t>(pixels.Width()) * 3 + 3) & ~3u;
    const uint32_t dataSize = rowBytes * static_cast<uint32_t>(pixels.Height());
    std::vector<uint8_t> out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    PutLE32(out, 54 + dataSize);
    PutLE32(out, 0);
    PutLE32(out, 54);
    PutLE32(out, 40);
    PutLE32(out, static_cast<uint32_t>(pixels.Width()));
    PutLE32(out, static_cast<uint32_t>(pixels.Height()));
    PutLE16(out, 1);
    PutLE16(out, 24);
    PutLE32(out, 0);
    PutLE32(out, dataSize);
    PutLE32(out, 2835);
    PutLE32(out, 2835);
    PutLE32(out, 0);
    PutLE32(out, 0);
    for (int y = pixels.Height() - 1; y >= 0; --y) {
        const uint32_t* src = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x) {
            out.push_back(static_cast<uint8_t>(src[x]));
            out.push_back(static_cast<uint8_t>(src[x] >> 8));
            out.push_back(static_cast<uint8_t>(src[x] >> 16));
        }
        for (uint32_t pad = static_cast<uint32_t>(pixels.Width()) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> EncodeCursor(const platform::PixelBuffer& pixels, int hotX, int hotY)
{
    NSHarrowen::CCursorImage cursor{pixels.Width(), pixels.Height(), hotX, hotY, {}};
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x) {
            const uint32_t p = pixels.At(x, y);
            cursor.pixels.push_back(p == kCursorClear        ? NSHarrowen::CCursorImage::kClear
                                        : p == kCursorInvert ? NSHarrowen::CCursorImage::kInvert
                                        : p == kCursorBlack  ? NSHarrowen::CCursorImage::kBlack
                                                             : NSHarrowen::CCursorImage::kWhite);
        }
    return NSHarrowen::EncodeCursor(cursor);
}

} // namespace picgen
