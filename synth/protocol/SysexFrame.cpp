#include "synth/protocol/SysexFrame.h"

#include "synth/protocol/ManufacturerId.h"
#include "synth/protocol/ProtocolErrors.h"

#include <algorithm>
#include <cstring>

using namespace SysexFrame;

uint32_t PackedSysexLength(uint32_t length)
{
    return static_cast<uint32_t>((uint64_t{length} * 8 + 6) / 7);
}

uint32_t PackSysexBits(const uint8_t* input, uint32_t length, uint8_t* output)
{
    uint32_t out = 0;
    uint32_t bits = 0; // pending bits, right-aligned in `pending`
    uint32_t pending = 0;
    for (uint32_t i = 0; i < length; ++i) {
        pending = (pending << 8) | input[i];
        bits += 8;
        while (bits >= 7) {
            bits -= 7;
            output[out++] = static_cast<uint8_t>((pending >> bits) & 0x7F);
        }
        pending &= (1u << bits) - 1;
    }
    if (bits > 0)
        output[out++] = static_cast<uint8_t>((pending << (7 - bits)) & 0x7F);
    return out;
}

uint32_t UnpackSysexBits(const uint8_t* input, uint32_t packedLength, uint8_t* output)
{
    uint32_t out = 0;
    uint32_t bits = 0;
    uint32_t pending = 0;
    for (uint32_t i = 0; i < packedLength; ++i) {
        pending = (pending << 7) | (input[i] & 0x7F);
        bits += 7;
        if (bits >= 8) {
            bits -= 8;
            output[out++] = static_cast<uint8_t>(pending >> bits);
            pending &= (1u << bits) - 1;
        }
    }
    return out; // leftover bits are the padding of the last group
}

bool NeedsPacking(const uint8_t* payload, uint32_t length)
{
    return std::any_of(payload, payload + length, [](uint8_t b) { return (b & 0x80) != 0; });
}

uint32_t SysexFrameCapacity(uint32_t length, bool packed, bool checksum)
{
    return (packed ? PackedSysexLength(length) : length) + kOverhead + (checksum ? 1 : 0);
}

uint8_t SysexChecksum(const uint8_t* bytes, uint32_t length)
{
    uint32_t sum = 0;
    for (uint32_t i = 0; i < length; ++i)
        sum += bytes[i];
    return static_cast<uint8_t>(sum & 0x7F);
}

uint32_t BuildSysexFrame(const uint8_t* payload, uint32_t length, std::span<uint8_t> output, bool packed, bool checksum,
                         bool first, bool last, uint8_t slot, uint8_t number, bool noNumber)
{
    packed = packed || NeedsPacking(payload, length);
    if (output.size() < SysexFrameCapacity(length, packed, checksum))
        throw XMStreamOverflow();

    uint8_t* frame = output.data();
    uint8_t flags = kFlagEditor | (slot & kSlotMask);
    if (first)
        flags |= kFlagFirst;
    if (last)
        flags |= kFlagLast;
    if (packed)
        flags |= kFlagPacked;
    if (checksum)
        flags |= kFlagChecksum; // before the sum is taken
    frame[0] = kStart;
    frame[1] = kManufacturerId;
    frame[2] = flags;
    frame[3] = kFamily;
    frame[4] = static_cast<uint8_t>((number & kNumberMask) | (noNumber ? kNoNumber : 0));

    uint32_t n = kHeaderLength;
    if (packed) {
        n += PackSysexBits(payload, length, frame + n);
    } else if (length > 0) {
        std::memcpy(frame + n, payload, length);
        n += length;
    }
    if (checksum) {
        frame[n] = SysexChecksum(frame, n);
        ++n;
    }
    frame[n++] = kEnd;
    return n;
}

namespace {

// Frame length without the checksum byte; whether the payload is packed.
uint32_t FramedLength(std::span<const uint8_t> frame, bool& packed)
{
    uint32_t n = static_cast<uint32_t>(frame.size());
    const uint8_t flags = n > 2 ? frame[2] : 0;
    if ((flags & kFlagChecksum) != 0 && n > 0)
        --n;
    packed = (flags & kFlagPacked) != 0 && n >= kOverhead;
    return n;
}

} // namespace

uint32_t DecodedSysexLength(std::span<const uint8_t> frame)
{
    bool packed = false;
    const uint32_t n = FramedLength(frame, packed);
    return packed ? (n - kOverhead) * 7 / 8 + kOverhead : n;
}

bool DecodeSysexFrame(std::span<const uint8_t> frame, std::span<uint8_t> output, uint32_t& decodedLength)
{
    const uint32_t needed = DecodedSysexLength(frame);
    if (output.size() < std::max(needed, kHeaderLength))
        return false;
    bool packed = false;
    const uint32_t n = FramedLength(frame, packed);
    std::fill_n(output.begin(), kHeaderLength, uint8_t{0});
    if (packed) {
        std::copy_n(frame.begin(), kHeaderLength, output.begin());
        const uint32_t unpacked =
            UnpackSysexBits(frame.data() + kHeaderLength, n - kOverhead, output.data() + kHeaderLength);
        decodedLength = unpacked + kOverhead;
        output[decodedLength - 1] = 0; // the spare byte
    } else {
        std::copy_n(frame.begin(), n, output.begin());
        decodedLength = n;
    }
    output[2] &= kSlotMask;
    return true;
}

std::unique_ptr<CSysexFrame> MakeRawSysexFrame(const CSysexFrameSpec& spec)
{
    const bool checksum = !spec.noChecksum;
    const bool packed = spec.packed || NeedsPacking(spec.payload, spec.length);
    auto frame = std::make_unique<CSysexFrame>(SysexFrameCapacity(spec.length, packed, checksum), spec.noChecksum);
    const uint8_t number = spec.noNumber ? spec.count : spec.number;
    frame->SetLength(BuildSysexFrame(spec.payload, spec.length, {frame->GetBuffer(), frame->GetCapacity()}, packed,
                                     checksum, spec.first, spec.last, spec.slot, number, spec.noNumber));
    return frame;
}

std::vector<std::unique_ptr<CSysexFrame>> MakeSysexFrames(const CSysexFrameSpec& base,
                                                          std::span<const uint32_t> moleculeEnds)
{
    std::vector<std::unique_ptr<CSysexFrame>> frames;
    CSysexFrameSpec spec = base;
    // One decision for the whole message: every frame of it packed alike.
    spec.packed = base.packed || NeedsPacking(base.payload, base.length);
    size_t nextEnd = 0;
    uint32_t start = 0;
    do {
        uint32_t stop = std::min(start + kMaxChunk, base.length);
        uint32_t count = 0;
        while (nextEnd < moleculeEnds.size() && moleculeEnds[nextEnd] <= stop) {
            if (base.noNumber && count == kMaxCount) {
                stop = moleculeEnds[nextEnd - 1];
                break;
            }
            ++count;
            ++nextEnd;
        }
        spec.payload = base.payload + start;
        spec.length = stop - start;
        spec.count = static_cast<uint8_t>(count);
        spec.first = start == 0;
        spec.last = stop == base.length;
        frames.push_back(MakeRawSysexFrame(spec));
        start = stop;
    } while (start < base.length);
    return frames;
}

std::array<uint8_t, 8> MakeIdentifyFrame(const CEditorVersion& version)
{
    return {kStart,
            kManufacturerId,
            0x00,
            kFamily,
            0x00,
            version.major,
            static_cast<uint8_t>(version.minor * 10 + version.sub),
            kEnd};
}
