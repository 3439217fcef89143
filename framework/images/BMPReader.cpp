#include "framework/images/BMPReader.h"

#include "framework/base/Exceptions.h"

#include <array>
#include <cstdint>
#include <vector>

namespace NSHarrowen {

namespace {

constexpr uint32_t kHeadersSize = 54;

uint32_t Little16(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8);
}
uint32_t Little32(const uint8_t* p)
{
    return Little16(p) | (Little16(p + 2) << 16);
}

struct BMPHeader {
    char type[3] = {0, 0, 0};
    uint32_t pixelOffset = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t bitCount = 0;
    uint32_t compression = 0;
};

BMPHeader ParseHeader(const std::array<uint8_t, kHeadersSize>& b)
{
    BMPHeader h;
    h.type[0] = static_cast<char>(b[0]);
    h.type[1] = static_cast<char>(b[1]);
    h.pixelOffset = Little32(&b[10]);
    h.width = static_cast<int32_t>(Little32(&b[18]));
    h.height = static_cast<int32_t>(Little32(&b[22]));
    h.bitCount = Little16(&b[28]);
    h.compression = Little32(&b[30]);
    return h;
}

// Rows of blue, green, red bytes, the bottom row first, into 32-bit pixels.
void ReadRows(CMedia& media, CBitmap32& bitmap, uint32_t rowBytes)
{
    std::vector<uint8_t> row(rowBytes);
    const CPixelLock lock(bitmap);
    for (int y = bitmap.GetHeight() - 1; y >= 0; --y) {
        media.Read(rowBytes, row.data());
        uint8_t* out = lock.Row(y);
        for (int x = 0; x < bitmap.GetWidth(); ++x) {
            out[4 * x] = row[3 * x];
            out[4 * x + 1] = row[3 * x + 1];
            out[4 * x + 2] = row[3 * x + 2];
            out[4 * x + 3] = 0;
        }
    }
}

} // namespace

std::unique_ptr<CBitmap32> ReadBMP(CMedia& media)
{
    const uint32_t start = media.GetPosition();
    const uint64_t available = media.GetSize() >= start ? media.GetSize() - start : 0;
    if (available < kHeadersSize)
        throw XBadFormat();
    std::array<uint8_t, kHeadersSize> bytes{};
    media.Read(kHeadersSize, bytes.data());
    const BMPHeader h = ParseHeader(bytes);

    if (h.type[0] != 'B' || h.type[1] != 'M' || h.bitCount != 24 || h.compression != 0 || h.width <= 0 ||
        h.height <= 0 || h.width > 32767 || h.height > 32767)
        throw XBadFormat();
    const uint32_t rowBytes = ((static_cast<uint32_t>(h.width) + 1) * 3) & ~3u;
    if (uint64_t(h.pixelOffset) + uint64_t(rowBytes) * uint64_t(h.height) > available)
        throw XBadFormat();

    auto bitmap = std::make_unique<CBitmap32>(h.width, h.height);
    media.SetPosition(start + h.pixelOffset);
    ReadRows(media, *bitmap, rowBytes);
    return bitmap;
}

} // namespace NSHarrowen
