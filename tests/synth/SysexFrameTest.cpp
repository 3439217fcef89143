#include "synth/protocol/ManufacturerId.h"
#include "synth/protocol/SysexFrame.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Build(const Bytes& payload, bool packed, bool checksum, bool first, bool last, uint8_t slot, uint8_t number,
            bool noNumber)
{
    Bytes frame(SysexFrameCapacity(static_cast<uint32_t>(payload.size()), true, checksum));
    frame.resize(BuildSysexFrame(payload.data(), static_cast<uint32_t>(payload.size()), frame, packed, checksum, first,
                                 last, slot, number, noNumber));
    return frame;
}

Bytes Decode(const Bytes& frame)
{
    Bytes decoded(DecodedSysexLength(frame));
    uint32_t length = 0;
    EXPECT_TRUE(DecodeSysexFrame(frame, decoded, length));
    EXPECT_EQ(length, decoded.size());
    return decoded;
}

// The payload of a decoded frame: from byte 5 to one byte before its end.
Bytes PayloadOf(const Bytes& decoded)
{
    return Bytes(decoded.begin() + 5, decoded.end() - 1);
}

// An independent packer, one bit at a time, to check the real one against.
Bytes PackBitByBit(const Bytes& input)
{
    Bytes out;
    const size_t bits = input.size() * 8;
    for (size_t group = 0; group * 7 < bits; ++group) {
        uint8_t byte = 0;
        for (size_t i = 0; i < 7; ++i) {
            const size_t bit = group * 7 + i;
            const bool set = bit < bits && ((input[bit / 8] >> (7 - bit % 8)) & 1);
            byte = static_cast<uint8_t>(byte << 1 | (set ? 1 : 0));
        }
        out.push_back(byte);
    }
    return out;
}

uint8_t SumOf(const Bytes& bytes, size_t count)
{
    return static_cast<uint8_t>(std::accumulate(bytes.begin(), bytes.begin() + static_cast<long>(count), 0u) % 256 &
                                0x7F);
}

TEST(SysexFrame, ManufacturerIdIsASevenBitByte)
{
    EXPECT_EQ(kManufacturerId, 0x7D);
}

TEST(SysexFrame, IdentifyPingOfVersion303)
{
    const auto ping = MakeIdentifyFrame();
    EXPECT_EQ(Bytes(ping.begin(), ping.end()), (Bytes{0xF0, 0x7D, 0x00, 0x06, 0x00, 0x03, 0x03, 0xF7}));
    const auto other = MakeIdentifyFrame({3, 1, 2});
    EXPECT_EQ(other[6], 12);
}

TEST(SysexFrame, LiveParameterChange)
{
    // Parameter change 0x40: area 1, module 5, parameter 3, value 100; slot
    // B, session 7. Flags 0x40 | slot 1 | first 0x04 | last 0x08 = 0x4D;
    // unpacked, no checksum.
    const Bytes payload{0x40, 0x01, 0x05, 0x03, 0x64};
    const Bytes frame = Build(payload, false, false, true, true, 1, 7, false);
    EXPECT_EQ(frame, (Bytes{0xF0, 0x7D, 0x4D, 0x06, 0x07, 0x40, 0x01, 0x05, 0x03, 0x64, 0xF7}));
    const Bytes decoded = Decode(frame);
    EXPECT_EQ(decoded[2], 0x01);
    EXPECT_EQ(decoded[4], 0x07);
    EXPECT_EQ(PayloadOf(decoded), payload); // the F7 is the spare byte
}

TEST(SysexFrame, RequestWithChecksumAndMoleculeCount)
{
    // Two requests (0x20 header, 0x28 name), no session number: byte 4 =
    // 0x40 | 2. Flags 0x40 | 0x04 | 0x08 | 0x10 = 0x5C. Sum F0+7D+5C+06+42+
    // 20+28 = 601 = 0x259 -> 0x59 & 0x7F = 0x59.
    CSysexFrameSpec spec;
    const Bytes payload{0x20, 0x28};
    spec.payload = payload.data();
    spec.length = 2;
    spec.count = 2;
    spec.first = spec.last = true;
    spec.expectsAnswer = true;
    const auto frame = MakeRawSysexFrame(spec);
    const Bytes bytes(frame->GetBytes(), frame->GetBytes() + frame->GetLength());
    EXPECT_EQ(bytes, (Bytes{0xF0, 0x7D, 0x5C, 0x06, 0x42, 0x20, 0x28, 0x59, 0xF7}));
    EXPECT_EQ(frame->GetCapacity(), 9u);
    EXPECT_FALSE(frame->HasNoChecksum());
    EXPECT_EQ(PayloadOf(Decode(bytes)), payload);
}

TEST(SysexFrame, NumberByteCarriesCountOrSessionNumber)
{
    const Bytes payload{0x20};
    EXPECT_EQ(Build(payload, false, false, true, true, 0, 3, true)[4], 0x43);
    EXPECT_EQ(Build(payload, false, false, true, true, 0, 5, false)[4], 0x05);
    EXPECT_EQ(Build(payload, false, false, true, true, 7, 0x45, false)[4], 0x05); // never 0x40 in a number
    EXPECT_EQ(Build(payload, false, false, true, true, 7, 0, false)[2] & 0x03, 3);
}

TEST(SysexFrame, PackedWithChecksum)
{
    // FF 00 80 as a bit stream: 1111111|1 000000|00 10000|000 pad 0000
    // -> 7F 40 10 00. Slot C, session 5. Flags 0x40 | 2 | 0x04 | 0x08 |
    // 0x10 | 0x20 = 0x7E. Sum F0+7D+7E+06+05+7F+40+10+00 = 709 = 0x2C5 -> 0x45.
    const Bytes payload{0xFF, 0x00, 0x80};
    const Bytes frame = Build(payload, true, true, true, true, 2, 5, false);
    EXPECT_EQ(frame, (Bytes{0xF0, 0x7D, 0x7E, 0x06, 0x05, 0x7F, 0x40, 0x10, 0x00, 0x45, 0xF7}));
    EXPECT_EQ(SysexFrameCapacity(3, true, true), 11u);
    EXPECT_EQ(Decode(frame), (Bytes{0xF0, 0x7D, 0x02, 0x06, 0x05, 0xFF, 0x00, 0x80, 0x00}));
}

TEST(SysexFrame, HighBytesArePackedWhateverTheRequest)
{
    const Bytes payload{0x4D, 0x81, 0x02, 0xFF};
    CSysexFrameSpec spec;
    spec.payload = payload.data();
    spec.length = 4;
    spec.packed = false;
    const auto frame = MakeRawSysexFrame(spec);
    const Bytes bytes(frame->GetBytes(), frame->GetBytes() + frame->GetLength());
    EXPECT_EQ(bytes[2] & SysexFrame::kFlagPacked, SysexFrame::kFlagPacked);
    for (size_t i = 1; i + 1 < bytes.size(); ++i)
        EXPECT_LT(bytes[i], 0x80) << "byte " << i;
    EXPECT_EQ(PayloadOf(Decode(bytes)), payload);
}

TEST(SysexFrame, EmptyAcknowledgement)
{
    // No payload, count 0: F0 7D 5C 06 40, sum 527 = 0x20F -> 0x0F. Packed
    // the same (flags 0x7C, sum 559 = 0x22F -> 0x2F) and its capacity does
    // not wrap.
    EXPECT_EQ(Build({}, false, true, true, true, 0, 0, true), (Bytes{0xF0, 0x7D, 0x5C, 0x06, 0x40, 0x0F, 0xF7}));
    const Bytes packed = Build({}, true, true, true, true, 0, 0, true);
    EXPECT_EQ(packed, (Bytes{0xF0, 0x7D, 0x7C, 0x06, 0x40, 0x2F, 0xF7}));
    EXPECT_EQ(SysexFrameCapacity(0, true, true), 7u);
    EXPECT_EQ(SysexFrameCapacity(0, true, false), 6u);
    EXPECT_TRUE(PayloadOf(Decode(packed)).empty());
}

TEST(SysexFrame, DecodeRefusesAShortOutput)
{
    const Bytes frame = Build(Bytes(20, 0x11), true, true, true, true, 0, 0, true);
    Bytes tooSmall(DecodedSysexLength(frame) - 1);
    uint32_t length = 99;
    EXPECT_FALSE(DecodeSysexFrame(frame, tooSmall, length));
    EXPECT_EQ(length, 99u);
}

TEST(SysexPacking, KnownLengthsAndBitPositions)
{
    Bytes out(16);
    const uint8_t one = 0x01;
    EXPECT_EQ(PackSysexBits(&one, 1, out.data()), 2u);
    EXPECT_EQ(out[0], 0x00);
    EXPECT_EQ(out[1], 0x40); // the low bit of the input in bit 6
    const Bytes seven(7, 0xFF);
    EXPECT_EQ(PackSysexBits(seven.data(), 7, out.data()), 8u);
    const Bytes eight(8, 0xFF);
    EXPECT_EQ(PackSysexBits(eight.data(), 8, out.data()), 10u);
    Bytes back(8);
    EXPECT_EQ(UnpackSysexBits(out.data(), 10, back.data()), 8u);
    EXPECT_EQ(back, eight);
    EXPECT_EQ(UnpackSysexBits(out.data(), 8, back.data()), 7u);
    EXPECT_EQ(PackSysexBits(nullptr, 0, out.data()), 0u);
}

TEST(SysexPacking, RoundTripsEveryLengthUpTo300)
{
    for (uint32_t length = 0; length <= 300; ++length) {
        Bytes input(length);
        for (uint32_t i = 0; i < length; ++i)
            input[i] = static_cast<uint8_t>(i * 37 + length);
        Bytes packed(PackedSysexLength(length) + 1, 0xEE);
        const uint32_t packedLength = PackSysexBits(input.data(), length, packed.data());
        ASSERT_EQ(packedLength, (length * 8 + 6) / 7);
        ASSERT_EQ(packed[packedLength], 0xEE) << "wrote past its length";
        packed.resize(packedLength);
        ASSERT_EQ(packed, PackBitByBit(input)) << length;
        Bytes unpacked(length + 1, 0xEE);
        ASSERT_EQ(UnpackSysexBits(packed.data(), packedLength, unpacked.data()), length);
        unpacked.resize(length);
        ASSERT_EQ(unpacked, input) << length;
    }
}

// 180 bytes of three 60-byte molecules: the first frame takes 166 bytes and
// the ends of molecules one and two; the third runs over into the second
// frame, which ends it.
class SysexFramesOfALongMessage : public testing::TestWithParam<bool> { };

TEST_P(SysexFramesOfALongMessage, CutAt166Bytes)
{
    const bool packed = GetParam();
    Bytes payload(180);
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<uint8_t>(i & 0x7F);
    const std::vector<uint32_t> ends{60, 120, 180};
    CSysexFrameSpec spec;
    spec.payload = payload.data();
    spec.length = 180;
    spec.slot = 1;
    spec.packed = packed;
    const auto frames = MakeSysexFrames(spec, ends);
    ASSERT_EQ(frames.size(), 2u);

    const Bytes first(frames[0]->GetBytes(), frames[0]->GetBytes() + frames[0]->GetLength());
    const Bytes second(frames[1]->GetBytes(), frames[1]->GetBytes() + frames[1]->GetLength());
    const uint8_t packedFlag = packed ? 0x20 : 0;
    // 0x40 | slot 1 | first 0x04 | checksum 0x10; then last 0x08.
    EXPECT_EQ(first[2], 0x55 | packedFlag);
    EXPECT_EQ(second[2], 0x59 | packedFlag);
    EXPECT_EQ(first[4], 0x42);
    EXPECT_EQ(second[4], 0x41);

    auto expected = [&](const Bytes& header, size_t from, size_t to) {
        Bytes frame = header;
        const Bytes chunk(payload.begin() + static_cast<long>(from), payload.begin() + static_cast<long>(to));
        const Bytes body = packed ? PackBitByBit(chunk) : chunk;
        frame.insert(frame.end(), body.begin(), body.end());
        frame.push_back(SumOf(frame, frame.size()));
        frame.push_back(0xF7);
        return frame;
    };
    EXPECT_EQ(first, expected({0xF0, 0x7D, uint8_t(0x55 | packedFlag), 0x06, 0x42}, 0, 166));
    EXPECT_EQ(second, expected({0xF0, 0x7D, uint8_t(0x59 | packedFlag), 0x06, 0x41}, 166, 180));
    EXPECT_EQ(first.size(), packed ? 5u + 190 + 2 : 5u + 166 + 2);

    Bytes joined = PayloadOf(Decode(first));
    const Bytes rest = PayloadOf(Decode(second));
    joined.insert(joined.end(), rest.begin(), rest.end());
    EXPECT_EQ(joined, payload);
}

INSTANTIATE_TEST_SUITE_P(PackedAndUnpacked, SysexFramesOfALongMessage, testing::Bool());

TEST(SysexFrames, CountStopsAt63MoleculesPerFrame)
{
    Bytes payload(70, 0x26); // seventy one-byte molecules
    std::vector<uint32_t> ends(70);
    std::iota(ends.begin(), ends.end(), 1u);
    CSysexFrameSpec spec;
    spec.payload = payload.data();
    spec.length = 70;
    auto frames = MakeSysexFrames(spec, ends);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0]->GetBytes()[4], 0x40 | 63);
    EXPECT_EQ(frames[0]->GetLength(), 5u + 63 + 2);
    EXPECT_EQ(frames[1]->GetBytes()[4], 0x40 | 7);
    EXPECT_EQ(frames[1]->GetBytes()[2] & 0x0C, 0x08);

    spec.noNumber = false; // with a session number nothing is counted
    spec.number = 9;
    frames = MakeSysexFrames(spec, ends);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->GetBytes()[4], 9);
}

TEST(SysexFrames, AnEmptyMessageIsOneFrame)
{
    CSysexFrameSpec spec;
    const auto frames = MakeSysexFrames(spec, {});
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->GetBytes()[2] & 0x0C, 0x0C);
}

} // namespace
