#include "simulator/SimFrame.h"

#include "simulator/SimBits.h"

namespace sim {

Bytes Pack7(const Bytes& plain)
{
    CSimBitReader in(plain.data(), plain.size());
    Bytes out;
    size_t bitsLeft = plain.size() * 8;
    while (bitsLeft > 0) {
        const unsigned take = bitsLeft < 7 ? static_cast<unsigned>(bitsLeft) : 7;
        out.push_back(static_cast<uint8_t>(in.Bits(take) << (7 - take)));
        bitsLeft -= take;
    }
    return out;
}

Bytes Unpack7(const uint8_t* packed, size_t size)
{
    CSimBitWriter out;
    for (size_t i = 0; i < size; ++i)
        out.Bits(7, packed[i] & 0x7F);
    Bytes bytes = out.Bytes();
    bytes.resize(size * 7 / 8); // the padding bits of a last group
    return bytes;
}

uint8_t FrameChecksum(const uint8_t* bytes, size_t size)
{
    unsigned sum = 0;
    for (size_t i = 0; i < size; ++i)
        sum += bytes[i];
    return static_cast<uint8_t>(sum & 0x7F);
}

Bytes BuildFrame(uint8_t flags, uint8_t slot, uint8_t numberByte, const Bytes& payload)
{
    bool needsPacking = false;
    for (uint8_t b : payload)
        needsPacking = needsPacking || (b & 0x80);
    uint8_t flagByte = static_cast<uint8_t>(kFlagBase | (slot & 3) | flags | kFlagChecksum);
    if (needsPacking)
        flagByte |= kFlagPacked;
    Bytes frame{0xF0, kManufacturerId, flagByte, kFamily, numberByte};
    const Bytes body = needsPacking ? Pack7(payload) : payload;
    frame.insert(frame.end(), body.begin(), body.end());
    frame.push_back(FrameChecksum(frame.data(), frame.size()));
    frame.push_back(0xF7);
    return frame;
}

Bytes BuildLiveFrame(uint8_t slot, uint8_t numberByte, const Bytes& payload)
{
    Bytes frame{0xF0, kManufacturerId, static_cast<uint8_t>(kFlagBase | kFlagFirst | kFlagLast | (slot & 3)), kFamily,
                numberByte};
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(0xF7);
    return frame;
}

std::optional<SimFrame> ParseFrame(const uint8_t* bytes, size_t size)
{
    if (size < 6 || bytes[0] != 0xF0 || bytes[size - 1] != 0xF7 || bytes[1] != kManufacturerId || bytes[3] != kFamily ||
        !(bytes[2] & kFlagBase))
        return std::nullopt;
    SimFrame frame;
    frame.flags = bytes[2];
    frame.slot = bytes[2] & 3;
    frame.numberByte = bytes[4];
    frame.hasChecksum = bytes[2] & kFlagChecksum;
    size_t end = size - 1; // the F7
    if (frame.hasChecksum) {
        if (size < 7)
            return std::nullopt;
        --end;
        frame.checksumOk = bytes[end] == FrameChecksum(bytes, end);
    }
    if (frame.flags & kFlagPacked)
        frame.payload = Unpack7(bytes + 5, end - 5);
    else
        frame.payload.assign(bytes + 5, bytes + end);
    return frame;
}

bool IsIdentifyPing(const uint8_t* bytes, size_t size)
{
    return size == 8 && bytes[0] == 0xF0 && bytes[1] == kManufacturerId && bytes[2] == 0x00 && bytes[3] == kFamily &&
        bytes[4] == 0x00 && bytes[7] == 0xF7;
}

} // namespace sim
