#include "synth/protocol/ParamValueBlock.h"

#include <gtest/gtest.h>

namespace {

TEST(ParamValueBlock, SettingMarksOnceAndTakingUnmarks)
{
    CParamValueBlock block;
    EXPECT_FALSE(block.HasChanges());
    block.SetValue(3, 1000);
    block.SetValue(3, 1000);
    EXPECT_EQ(block.GetValueChangedCount(), 1u);
    block.SetValue(3, 1001);
    EXPECT_EQ(block.GetValueChangedCount(), 1u);
    EXPECT_TRUE(block.IsValueChanged(3));
    EXPECT_FALSE(block.IsStateChanged(3));
    EXPECT_TRUE(block.HasChanges());
    EXPECT_EQ(block.TakeValue(3), 1001);
    EXPECT_FALSE(block.HasChanges());
    EXPECT_EQ(block.TakeValue(3), 1001); // taking again keeps the count at 0
    EXPECT_EQ(block.GetValueChangedCount(), 0u);
    block.SetValue(3, 1001); // unchanged: no mark
    EXPECT_FALSE(block.HasChanges());
}

TEST(ParamValueBlock, ValueAndStateShareAWordWithoutDisturbingEachOther)
{
    CParamValueBlock block;
    block.SetValue(39, 0x3FFF);
    block.SetState(39, 2);
    EXPECT_EQ(block.GetStateChangedCount(), 1u);
    EXPECT_EQ(block.TakeValue(39), 0x3FFF);
    EXPECT_EQ(block.TakeState(39), 2);
    block.SetValue(39, 5);
    EXPECT_EQ(block.TakeState(39), 2);
    block.SetState(39, 1);
    EXPECT_EQ(block.TakeValue(39), 5);
    EXPECT_EQ(block.TakeState(39), 1);
}

TEST(ParamValueBlock, IndexBeyondTheBlockIsIgnored)
{
    CParamValueBlock block;
    block.SetValue(40, 7);
    block.SetState(40, 1);
    block.SetValue(1000, 7);
    EXPECT_FALSE(block.HasChanges());
    EXPECT_EQ(block.TakeValue(40), 0);
    EXPECT_FALSE(block.IsValueChanged(40));
}

TEST(ParamValueBlock, MarkAllChangedThenClear)
{
    CParamValueBlock block;
    block.SetValue(0, 9);
    block.MarkAllChanged();
    EXPECT_TRUE(block.HasChanges());
    EXPECT_EQ(block.GetValueChangedCount(), 40u);
    EXPECT_EQ(block.GetStateChangedCount(), 40u);
    for (uint32_t i = 0; i < CParamValueBlock::kEntryCount; ++i) {
        EXPECT_EQ(block.TakeValue(i), 0);
        EXPECT_EQ(block.TakeState(i), 0);
    }
    EXPECT_FALSE(block.HasChanges());
    block.SetState(4, 3);
    block.Clear();
    EXPECT_FALSE(block.HasChanges());
    EXPECT_FALSE(block.IsStateChanged(4));
}

} // namespace
