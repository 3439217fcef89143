#include "framework/images/CursorImage.h"

#include "framework/base/Exceptions.h"

#include <algorithm>

namespace NSHarrowen {

namespace {

constexpr uint8_t kTag[4] = {'T', 'C', 'U', 'R'};
constexpr size_t kHeaderSize = 12;
constexpr int kMaxSide = 256;

void PutWord(std::vector<uint8_t>& out, int value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

int Word(std::span<const uint8_t> bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8);
}

} // namespace

std::vector<uint8_t> EncodeCursor(const CCursorImage& cursor)
{
    std::vector<uint8_t> out(std::begin(kTag), std::end(kTag));
    PutWord(out, cursor.width);
    PutWord(out, cursor.height);
    PutWord(out, cursor.hotX);
    PutWord(out, cursor.hotY);
    out.insert(out.end(), cursor.pixels.begin(), cursor.pixels.end());
    return out;
}

CCursorImage DecodeCursor(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kHeaderSize || !std::equal(std::begin(kTag), std::end(kTag), bytes.begin()))
        throw XBadFormat();
    CCursorImage cursor;
    cursor.width = Word(bytes, 4);
    cursor.height = Word(bytes, 6);
    cursor.hotX = Word(bytes, 8);
    cursor.hotY = Word(bytes, 10);
    if (cursor.width < 1 || cursor.height < 1 || cursor.width > kMaxSide || cursor.height > kMaxSide ||
        cursor.hotX >= cursor.width || cursor.hotY >= cursor.height ||
        bytes.size() != kHeaderSize + static_cast<size_t>(cursor.width * cursor.height))
        throw XBadFormat();
    cursor.pixels.assign(bytes.begin() + kHeaderSize, bytes.end());
    if (std::any_of(cursor.pixels.begin(), cursor.pixels.end(), [](uint8_t p) { return p > CCursorImage::kInvert; }))
        throw XBadFormat();
    return cursor;
}

} // namespace NSHarrowen
