#include "synth/protocol/ValueFrame.h"

#include "synth/protocol/ParamValueBlock.h"
#include "synth/protocol/SysexFrame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A value frame as the synthesizer sends it: header, id, first entry, data,
// checksum, F7.
Bytes ValueFrame(uint8_t id, uint8_t first, const Bytes& data, uint8_t flags = 0x5C)
{
    Bytes frame{0xF0, 0x7D, flags, 0x06, 0x45, id, first};
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(SysexChecksum(frame.data(), static_cast<uint32_t>(frame.size())));
    frame.push_back(0xF7);
    return frame;
}

TEST(ValueFrame, ChecksumTestNeedsTheFlagAndTheRightSum)
{
    const Bytes good = ValueFrame(0x3A, 0, {1, 0});
    EXPECT_TRUE(HasValidChecksum(good));
    Bytes wrong = good;
    wrong[wrong.size() - 2] ^= 1;
    EXPECT_FALSE(HasValidChecksum(wrong));
    Bytes noFlag = ValueFrame(0x3A, 0, {1, 0}, 0x4C);
    EXPECT_FALSE(HasValidChecksum(noFlag)) << "a frame without 0x10 fails";
    EXPECT_FALSE(HasValidChecksum(Bytes{0xF0, 0xF7}));
}

TEST(ValueFrame, StatesAndValuesGoToTheirEntries)
{
    CParamValueBlock block;
    // States 1, 2, 3 in bits 0-1, 2-3, 4-5 of one byte, then 2 in the next.
    StoreValueFrame(ValueFrame(0x39, 10, {0x39, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00}), block);
    EXPECT_EQ(block.TakeState(10), 1);
    EXPECT_EQ(block.TakeState(11), 2);
    EXPECT_EQ(block.TakeState(12), 3);
    EXPECT_EQ(block.TakeState(13), 2);
    // 14-bit values, low seven bits first.
    StoreValueFrame(ValueFrame(0x3A, 3, {0x7F, 0x01, 0x00, 0x7F, 0, 0, 0, 0, 0, 0}), block);
    EXPECT_EQ(block.TakeValue(3), 0xFF);
    EXPECT_EQ(block.TakeValue(4), 0x3F80);
}

// What lies behind the frame is never read: a short frame stores only the
// entries it holds, and entries end at 40.
TEST(ValueFrame, ShortFramesAndHighIndicesStoreOnlyWhatFits)
{
    struct Case {
        Bytes frame;
        uint32_t stored;
    };
    const std::vector<Case> cases{
        {ValueFrame(0x3A, 0, {1, 0, 2}), 1}, // the second value lacks its high byte
        {ValueFrame(0x3A, 38, {1, 0, 2, 0, 3, 0, 4, 0, 5, 0}), 2},
        {ValueFrame(0x39, 0, {0x15}), 3}, // one byte: three states
        {ValueFrame(0x39, 39, {0x3F, 0x3F}), 1},
        {ValueFrame(0x3A, 0, {}), 0},
        {Bytes{0xF0, 0x7D, 0x5C, 0x06, 0x45, 0x3A, 0xF7}, 0}, // no first entry
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        CParamValueBlock block;
        StoreValueFrame(cases[i].frame, block);
        EXPECT_EQ(block.GetValueChangedCount() + block.GetStateChangedCount(), cases[i].stored) << "case " << i;
    }
}

TEST(ValueFrame, OnlyUnpackedFramesOfTheTwoIdsAreValueFrames)
{
    EXPECT_TRUE(IsValueFrame(ValueFrame(0x39, 0, {})));
    EXPECT_TRUE(IsValueFrame(ValueFrame(0x3A, 0, {})));
    EXPECT_FALSE(IsValueFrame(ValueFrame(0x40, 0, {})));
    EXPECT_FALSE(IsValueFrame(ValueFrame(0x3A, 0, {}, 0x7C))) << "packed";
    CParamValueBlock block;
    StoreValueFrame(ValueFrame(0x3A, 0, {5, 0}, 0x7C), block);
    EXPECT_FALSE(block.HasChanges());
}

TEST(ValueFrame, EditorFramesAndIdentifyRepliesAreToldApart)
{
    const Bytes frame = ValueFrame(0x3A, 0, {});
    EXPECT_TRUE(IsEditorFrame(frame));
    EXPECT_FALSE(IsIdentifyReply(frame));
    const Bytes reply{0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 0, 0xF7};
    EXPECT_TRUE(IsIdentifyReply(reply));
    EXPECT_FALSE(IsEditorFrame(reply));
    EXPECT_FALSE(IsEditorFrame(Bytes{0xF0, 0x7D, 0x40, 0x06}));
    Bytes otherMaker = frame;
    otherMaker[1] = 0x41;
    EXPECT_FALSE(IsEditorFrame(otherMaker));
    EXPECT_FALSE(IsIdentifyReply(Bytes{0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7})) << "another device's identity request";
    EXPECT_FALSE(IsIdentifyReply(Bytes{0xF0, 0x7D, 0x00, 0x05, 0x01, 3, 3, 0, 0, 0, 0, 0xF7})) << "another family";
}

} // namespace
