#include "synth/protocol/MIDIStream.h"
#include "synth/protocol/ProtocolErrors.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

TEST(MIDIOutStream, WritesAFieldAcrossTwoBytesKeepingTheOtherBits)
{
    std::array<uint8_t, 4> buffer{0x00, 0xFF, 0x00, 0xAA};
    CMIDIOutStream out(4, buffer.data());
    out.Advance(6);
    out.WriteBits(3, 0b101);
    EXPECT_EQ(buffer[0], 0b00000010);
    EXPECT_EQ(buffer[1], 0b11111111); // top bit written as 1, the rest kept
    out.StepBack(3);
    out.WriteBits(3, 0b000);
    EXPECT_EQ(buffer[0], 0x00);
    EXPECT_EQ(buffer[1], 0x7F);
    EXPECT_EQ(buffer[3], 0xAA);
}

TEST(MIDIStream, ByteLengthCountsAStartedByte)
{
    std::array<uint8_t, 8> buffer{};
    const std::vector<std::pair<uint32_t, uint32_t>> cases{{0, 0}, {1, 1}, {8, 1}, {9, 2}, {16, 2}, {17, 3}};
    for (const auto& [bits, length] : cases) {
        CMIDIOutStream out(8, buffer.data());
        out.Advance(bits);
        EXPECT_EQ(out.GetByteLength(), length) << bits << " bits";
    }
}

TEST(MIDIStream, BoundAllowsOneByteLessThanTheEnd)
{
    std::vector<uint8_t> buffer(166, 0x11);
    CMIDIOutStream out(166, buffer.data());
    for (int i = 0; i < 165; ++i)
        out.WriteByte(static_cast<uint8_t>(i));
    EXPECT_THROW(out.WriteByte(0), XMStreamOverflow);

    CMIDIInStream in(166, buffer.data());
    for (int i = 0; i < 165; ++i)
        EXPECT_EQ(in.ReadAlignedByte(), i);
    try {
        in.ReadBits(1);
        FAIL() << "read past the bound";
    } catch (const XMStreamOverflow& error) {
        EXPECT_EQ(error.GetText(), "Stream too long");
    }
}

TEST(MIDIStream, WriteNeverTouchesBytesBeyondTheBound)
{
    std::array<uint8_t, 3> buffer{0, 0, 0x5A};
    CMIDIOutStream out(2, buffer.data());
    out.Advance(12);
    EXPECT_THROW(out.WriteBits(8, 0xFF), XMStreamOverflow);
    EXPECT_EQ(buffer[2], 0x5A);
}

TEST(MIDIStream, BitFieldsRoundTrip)
{
    std::array<uint8_t, 16> buffer{};
    CMIDIOutStream out(16, buffer.data());
    out.WriteMoleculeHeader(0x52, CMIDIOutStream::kKindRequest, 0);
    out.WriteBit(true);
    out.WriteBits(7, 100);
    out.WriteBits(3, 6);
    out.WriteSignedBits(4, -2);
    out.WriteSignedBits(5, 15);
    out.WriteAlignedByte(0xC3);
    out.WriteBits(1, 1);
    out.WriteZeroBits(10);
    out.WriteBits(2, 3);
    EXPECT_EQ(out.GetHeaderKind(), 2u);
    EXPECT_EQ(out.GetHeaderFlag(), 0u);
    const uint32_t length = out.GetByteLength();

    CMIDIInStream in(length + 1, buffer.data());
    EXPECT_EQ(in.ReadMoleculeId(), 0x52);
    EXPECT_TRUE(in.ReadBit());
    EXPECT_EQ(in.ReadBits(7), 100);
    EXPECT_EQ(in.ReadBits(3), 6);
    EXPECT_EQ(in.ReadSignedBits(4), -2);
    EXPECT_EQ(in.ReadSignedBits(5), 15);
    EXPECT_EQ(in.ReadAlignedByte(), 0xC3);
    EXPECT_EQ(in.ReadBits(1), 1);
    in.SkipBits(10);
    EXPECT_EQ(in.ReadBits(2), 3);
    EXPECT_EQ(in.GetByteLength(), length);
    in.Unread(2);
    EXPECT_EQ(in.ReadBits(2), 3);
}

TEST(MIDIStream, SignedFieldsSignExtend)
{
    const std::vector<std::pair<uint8_t, int>> cases{{0b1110, -2}, {0b1000, -8}, {0b0111, 7}, {0b1111, -1}, {0, 0}};
    for (const auto& [bits, value] : cases) {
        std::array<uint8_t, 2> buffer{static_cast<uint8_t>(bits << 4), 0};
        CMIDIInStream in(2, buffer.data());
        EXPECT_EQ(in.ReadSignedBits(4), value);
    }
}

TEST(MIDIStream, HeaderDefaultsUntilWritten)
{
    std::array<uint8_t, 2> buffer{};
    CMIDIOutStream out(2, buffer.data());
    EXPECT_EQ(out.GetHeaderKind(), 0u);
    EXPECT_EQ(out.GetHeaderFlag(), 1u);
}

TEST(MIDIStream, StringsAreCutOrClosedWithZero)
{
    struct Case {
        std::string text;
        uint32_t bytes;
        std::string readBack;
    };
    const std::vector<Case> cases{
        {"Osc", 4, "Osc"},
        {"Twenty characters!!", 16, "Twenty character"},
        {"Sixteen chars ok", 16, "Sixteen chars ok"},
        {"", 1, ""},
    };
    for (const Case& c : cases) {
        std::array<uint8_t, 32> buffer{};
        buffer.fill(0xEE);
        CMIDIOutStream out(32, buffer.data());
        out.WriteBits(3, 7); // the text is byte-aligned after any field
        out.WriteString(c.text, 16);
        out.WriteByte(0x42);
        EXPECT_EQ(out.GetByteLength(), 1 + c.bytes + 1) << c.text;

        CMIDIInStream in(32, buffer.data());
        in.ReadBits(3);
        EXPECT_EQ(in.ReadString(16), c.readBack);
        EXPECT_EQ(in.ReadAlignedByte(), 0x42) << c.text;
    }
}

TEST(MIDIInStream, UnterminatedTextAtTheEndThrows)
{
    const std::array<uint8_t, 4> buffer{'a', 'b', 'c', 'd'};
    CMIDIInStream in(4, buffer.data()); // readable: a b c
    EXPECT_THROW(in.ReadString(16), XMStreamOverflow);
}

} // namespace
