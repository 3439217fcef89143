#include <gtest/gtest.h>

#include "simulator/SimBits.h"
#include "simulator/SimFrame.h"
#include "simulator/SimModuleTypes.h"

using namespace sim;

TEST(SimFrame, PackingSizesAndBitOrder)
{
    EXPECT_EQ(Pack7(Bytes(7, 0xFF)).size(), 8u);
    EXPECT_EQ(Pack7(Bytes(8, 0xFF)).size(), 10u);
    // One byte: its top seven bits, then its low bit in bit 6 of the next.
    EXPECT_EQ(Pack7({0x81}), (Bytes{0x40, 0x40}));
    EXPECT_EQ(Unpack7(Bytes(8, 0x7F).data(), 8).size(), 7u);
    for (size_t n = 0; n < 40; ++n) {
        Bytes plain(n);
        for (size_t i = 0; i < n; ++i)
            plain[i] = static_cast<uint8_t>(i * 37 + 0x80);
        const Bytes packed = Pack7(plain);
        for (uint8_t b : packed)
            ASSERT_LT(b, 0x80);
        EXPECT_EQ(Unpack7(packed.data(), packed.size()), plain) << n;
    }
}

TEST(SimFrame, BuiltFrameCarriesChecksumAndPacksOnlyWhenNeeded)
{
    const Bytes plain = BuildFrame(kFlagFirst | kFlagLast, 2, 0x05, {0x36, 0x05, 0x7F});
    EXPECT_EQ(plain,
              (Bytes{0xF0, 0x7D, 0x5E, 0x06, 0x05, 0x36, 0x05, 0x7F,
                     static_cast<uint8_t>((0xF0 + 0x7D + 0x5E + 0x06 + 0x05 + 0x36 + 0x05 + 0x7F) & 0x7F), 0xF7}));
    const Bytes packed = BuildFrame(kFlagFirst, 0, 0x41, {0x80, 0x7F});
    EXPECT_EQ(packed[2], 0x40 | kFlagFirst | kFlagChecksum | kFlagPacked);
    const auto parsed = ParseFrame(packed.data(), packed.size());
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->checksumOk);
    EXPECT_EQ(parsed->payload, (Bytes{0x80, 0x7F}));
}

TEST(SimFrame, ForeignMessagesAreNotFrames)
{
    const Bytes otherMaker{0xF0, 0x43, 0x5C, 0x06, 0x41, 0x7F, 0x00, 0xF7};
    const Bytes noBase{0xF0, 0x7D, 0x1C, 0x06, 0x41, 0x7F, 0x00, 0xF7};
    EXPECT_FALSE(ParseFrame(otherMaker.data(), otherMaker.size()));
    EXPECT_FALSE(ParseFrame(noBase.data(), noBase.size()));
    const Bytes ping{0xF0, 0x7D, 0x00, 0x06, 0x00, 0x03, 0x03, 0xF7};
    EXPECT_TRUE(IsIdentifyPing(ping.data(), ping.size()));
}

TEST(SimBits, FieldsAndTexts)
{
    CSimBitWriter out;
    out.Bits(1, 1);
    out.Bits(7, 0x05);
    out.Bits(3, 0b101);
    out.Text16("ABC");
    out.Text16("0123456789ABCDEFGHIJ");
    EXPECT_EQ(out.Bytes().size(), 2u + 4u + 16u);
    EXPECT_EQ(out.Bytes()[0], 0x85);
    EXPECT_EQ(out.Bytes()[1], 0xA0);
    CSimBitReader in(out.Bytes().data(), out.Bytes().size());
    EXPECT_EQ(in.Bits(8), 0x85u);
    EXPECT_EQ(in.Bits(3), 5u);
    EXPECT_EQ(in.Text16(), "ABC");
    EXPECT_EQ(in.Text16(), "0123456789ABCDEF");
    EXPECT_THROW(in.Bits(1), XSimParse);
}

TEST(SimBits, WidthOfAParameterFollowsItsMaximum)
{
    const std::pair<unsigned, unsigned> cases[] = {{0, 1},  {1, 1},  {2, 2},  {3, 2},  {4, 3},
                                                   {15, 4}, {16, 5}, {63, 6}, {64, 7}, {127, 7}};
    for (const auto& [max, bits] : cases)
        EXPECT_EQ(BitsForMax(max), bits) << max;
}
