// The bytes of the update messages, and the updater's message assembler.

#include "updater/link/UpdateSysexInput.h"
#include "updater/pages/Placeholders.h"
#include "updater/link/UpdateMessages.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace NSBootwren;
using Bytes = std::vector<uint8_t>;

namespace {

TEST(UpdateMessages, PackingOfWordsAndGroups)
{
    EXPECT_EQ(Pack32(0x00300020), (std::array<uint8_t, 5>{0x00, 0x00, 0x18, 0x00, 0x10}));
    // 0x81 0x03 0xFF 0x01: low bits 1, 1, 1, 1.
    EXPECT_EQ(Pack32(0x8103FF01), (std::array<uint8_t, 5>{0x0F, 0x40, 0x01, 0x7F, 0x00}));
    const uint8_t group[7] = {0x01, 0x02, 0x03, 0xFF, 0x80, 0x7F, 0x00};
    EXPECT_EQ(Pack7(group), (std::array<uint8_t, 8>{0x2D, 0x00, 0x01, 0x01, 0x7F, 0x40, 0x3F, 0x00}));
}

TEST(UpdateMessages, IdentifyHeaderAndEnd)
{
    EXPECT_EQ(MakeIdentifyRequest(6), (Bytes{0xF0, 0x7D, 0x7F, 0x06, 0x00, 0x00, 0x00, 0xF7}));
    // The full-size image: 354,016 = 0x000566E0 packs to 02 00 02 33 70; version
    // 3.3; the checksum is the low 7 bits of 0x18+0x10+0x02+0x02+0x33+0x70+3+3 = 0xD5.
    EXPECT_EQ(MakeDumpHeader(354016, 3, 3),
              (Bytes{0xF0, 0x7D, 0x7F, 0x06, 0x70, 0x00, 0x00, 0x18, 0x00, 0x10, 0x02, 0x00, 0x02, 0x33, 0x70, 0x03,
                     0x03, 0x55, 0xF7}));
    // Version bytes keep their low 7 bits.
    EXPECT_EQ(MakeDumpHeader(0, 0x83, 0x80)[15], 0x03);
    EXPECT_EQ(MakeDumpHeader(0, 0x83, 0x80)[16], 0x00);
    EXPECT_EQ(MakeDumpEnd(0x00300020), (Bytes{0xF0, 0x7D, 0x7F, 0x06, 0x73, 0x00, 0x00, 0x18, 0x00, 0x10, 0xF7}));
}

TEST(UpdateMessages, PacketsCarryTheNextBytesAndZerosAfterTheEnd)
{
    std::vector<uint8_t> payload(113);
    std::iota(payload.begin(), payload.end(), uint8_t{0x80});
    const Bytes first = MakeDataPacket(payload.data(), 113, 0);
    ASSERT_EQ(first.size(), kPacketSize);
    EXPECT_EQ((Bytes(first.begin(), first.begin() + 5)), (Bytes{0xF0, 0x7D, 0x7F, 0x06, 0x71}));
    EXPECT_EQ(first.back(), 0xF7);
    const auto group0 = Pack7(payload.data());
    EXPECT_TRUE(std::equal(group0.begin(), group0.end(), first.begin() + 5));
    const Bytes last = MakeDataPacket(payload.data(), 113, 112);
    const uint8_t tail[7] = {payload[112], 0, 0, 0, 0, 0, 0};
    const auto packed = Pack7(tail);
    EXPECT_TRUE(std::equal(packed.begin(), packed.end(), last.begin() + 5));
    EXPECT_TRUE(std::all_of(last.begin() + 13, last.end() - 1, [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(first.begin() + 1, first.end() - 1, [](uint8_t b) { return b < 0x80; }));
}

// Keeps the messages the assembler offers.
class CRecordingInput : public CSysexMIDIInput {
public:
    std::vector<Bytes> messages;

private:
    bool AcceptMessage(const uint8_t* bytes, uint32_t length) override
    {
        messages.emplace_back(bytes, bytes + length);
        return false;
    }
};

Bytes Message(size_t size, uint8_t fill = 0x11)
{
    Bytes m(size, fill);
    m.front() = 0xF0;
    m.back() = 0xF7;
    return m;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(UpdateSysexInput, BlocksBecomeWholeMessages)
{
    const Bytes a = Message(8, 0x01);
    const Bytes b = Message(13, 0x02);
    const Bytes longest = Message(511, 0x03);
    const Bytes tooLong = Message(512, 0x04);
    const struct {
        const char* name;
        std::vector<Bytes> blocks;
        std::vector<Bytes> expected;
    } cases[] = {
        {"bytes before the F0 are skipped", {Join({{0x12, 0x34}, a})}, {a}},
        {"split over two blocks", {Bytes(b.begin(), b.begin() + 5), Bytes(b.begin() + 5, b.end())}, {b}},
        {"two messages in one block", {Join({a, b})}, {a, b}},
        {"three messages over two blocks",
         {Join({a, Bytes(b.begin(), b.begin() + 3)}), Join({Bytes(b.begin() + 3, b.end()), a})},
         {a, b, a}},
        {"511 bytes pass", {longest}, {longest}},
        {"512 bytes are dropped, the next message is kept", {Join({tooLong, b})}, {b}},
        {"a long message dropped over two blocks",
         {Bytes(tooLong.begin(), tooLong.begin() + 300), Join({Bytes(tooLong.begin() + 300, tooLong.end()), a})},
         {a}},
        {"a drop leaves nothing behind", {Join({tooLong}), b}, {b}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingInput input;
        for (const Bytes& block : c.blocks)
            input.AddData(block.data(), static_cast<uint32_t>(block.size()));
        EXPECT_EQ(input.messages, c.expected);
    }
}

TEST(UpdateSysexInput, TheBaseKeepsMessagesInItsRingUntilItOverflows)
{
    CSysexMIDIInput input;
    const Bytes m = Message(500);
    for (int i = 0; i < 131; ++i)
        input.AddData(m.data(), static_cast<uint32_t>(m.size()));
    EXPECT_EQ(input.GetRing().GetHeldBytes(), 65500u);
    EXPECT_FALSE(input.GetRing().HasOverflowed());
    input.AddData(m.data(), static_cast<uint32_t>(m.size()));
    EXPECT_TRUE(input.GetRing().HasOverflowed());
    EXPECT_EQ(input.GetRing().GetHeldBytes(), 65500u);
}

TEST(Placeholders, EveryOccurrenceIsReplacedAndAValueHoldingThePlaceholderEndsIt)
{
    EXPECT_EQ(ReplaceAll("<<A>> and <<A>>", "<<A>>", "x"), "x and x");
    EXPECT_EQ(ReplaceAll("no placeholder", "<<A>>", "x"), "no placeholder");
    EXPECT_EQ(ReplaceAll("<<<<A>>A>>", "<<A>>", ""), "");
    // Replacing from the start again would never end here.
    EXPECT_EQ(ReplaceAll("<<A>>", "<<A>>", "[<<A>>]"), "<<A>>");
}

} // namespace
