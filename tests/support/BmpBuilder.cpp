#include "tests/support/BmpBuilder.h"

namespace testsupport {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

std::vector<uint8_t> MakeBMP(int width, int height)
{
    const uint32_t rowBytes = ((static_cast<uint32_t>(width) + 1) * 3) & ~3u;
    std::vector<uint8_t> b(54 + rowBytes * static_cast<uint32_t>(height), 0xEE);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 6, 0);
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(width));
    Put32(b, 22, static_cast<uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, 24);
    Put32(b, 30, 0);
    for (int y = 0; y < height; ++y) {
        const size_t row = 54 + rowBytes * static_cast<size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            b[row + 3 * static_cast<size_t>(x)] = static_cast<uint8_t>(x);
            b[row + 3 * static_cast<size_t>(x) + 1] = static_cast<uint8_t>(y);
            b[row + 3 * static_cast<size_t>(x) + 2] = 0x80;
        }
    }
    return b;
}

} // namespace testsupport
