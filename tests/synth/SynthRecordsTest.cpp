#include "synth/protocol/FlashAddress.h"
#include "synth/protocol/SlotSelection.h"
#include "synth/protocol/SynthSettings.h"
#include "synth/protocol/VoiceCounts.h"

#include <gtest/gtest.h>

TEST(SynthSettings, DefaultsAreThoseOfAFreshSynthesizer)
{
    const CSynthSettings s;
    EXPECT_EQ(s.GetInternalClock(), 1u);
    EXPECT_EQ(s.GetLedsActive(), 1);
    EXPECT_EQ(s.GetLocalOn(), 1);
    EXPECT_EQ(s.GetProgramChangeSend(), 1);
    EXPECT_EQ(s.GetProgramChangeReceive(), 1);
    EXPECT_EQ(s.GetKnobMode(), 1u);
    EXPECT_EQ(s.GetKeyboardMode(), 0u);
    EXPECT_EQ(s.GetPedalPolarity(), 0u);
    EXPECT_EQ(s.GetVelocityMin(), 0);
    EXPECT_EQ(s.GetVelocityMax(), 127);
    EXPECT_EQ(s.GetClockRate(), 128);
    EXPECT_EQ(s.GetGlobalSync(), 4);
    EXPECT_EQ(s.GetMasterTune(), 0);
    EXPECT_TRUE(s.GetName().empty());
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(s.GetSlotChannel(slot), 0);
        EXPECT_EQ(s.GetSlotActive(slot), 0);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(s.GetSlotValue(slot, i), i);
    }
}

TEST(SynthSettings, SettersKeepEveryFieldInRange)
{
    CSynthSettings s;
    const struct {
        const char* what;
        int32_t given;
        int32_t stored;
        void (CSynthSettings::*set)(int32_t);
        int32_t (*get)(const CSynthSettings&);
    } rows[] = {
        {"rate 30", 30, 128, &CSynthSettings::SetClockRate,
         [](const CSynthSettings& x) { return int32_t(x.GetClockRate()); }},
        {"rate 31", 31, 31, &CSynthSettings::SetClockRate,
         [](const CSynthSettings& x) { return int32_t(x.GetClockRate()); }},
        {"rate 239", 239, 239, &CSynthSettings::SetClockRate,
         [](const CSynthSettings& x) { return int32_t(x.GetClockRate()); }},
        {"rate 240", 240, 128, &CSynthSettings::SetClockRate,
         [](const CSynthSettings& x) { return int32_t(x.GetClockRate()); }},
        {"sync 0", 0, 4, &CSynthSettings::SetGlobalSync,
         [](const CSynthSettings& x) { return int32_t(x.GetGlobalSync()); }},
        {"sync 32", 32, 32, &CSynthSettings::SetGlobalSync,
         [](const CSynthSettings& x) { return int32_t(x.GetGlobalSync()); }},
        {"sync 33", 33, 4, &CSynthSettings::SetGlobalSync,
         [](const CSynthSettings& x) { return int32_t(x.GetGlobalSync()); }},
        {"tune -101", -101, 0, &CSynthSettings::SetMasterTune,
         [](const CSynthSettings& x) { return int32_t(x.GetMasterTune()); }},
        {"tune -100", -100, -100, &CSynthSettings::SetMasterTune,
         [](const CSynthSettings& x) { return int32_t(x.GetMasterTune()); }},
        {"tune 101", 101, 0, &CSynthSettings::SetMasterTune,
         [](const CSynthSettings& x) { return int32_t(x.GetMasterTune()); }},
        {"velocity min 200", 200, 127, &CSynthSettings::SetVelocityMin,
         [](const CSynthSettings& x) { return int32_t(x.GetVelocityMin()); }},
        {"velocity max 128", 128, 127, &CSynthSettings::SetVelocityMax,
         [](const CSynthSettings& x) { return int32_t(x.GetVelocityMax()); }},
    };
    for (const auto& row : rows) {
        (s.*row.set)(row.given);
        EXPECT_EQ(row.get(s), row.stored) << row.what;
    }

    s.SetSlotChannel(1, 16);
    EXPECT_EQ(s.GetSlotChannel(1), 15);
    s.SetSlotValue(2, 1, 4);
    EXPECT_EQ(s.GetSlotValue(2, 1), 3);
    s.SetSlotChannel(4, 3); // no slot E: ignored
    s.SetKnobMode(7);
    EXPECT_EQ(s.GetKnobMode(), 1u);
    s.SetName("A name longer than sixteen");
    EXPECT_EQ(s.GetName(), "A name longer th");
}

TEST(SynthSettings, EqualityCoversNameAndSlotValues)
{
    CSynthSettings a;
    CSynthSettings b;
    EXPECT_EQ(a, b);
    b.SetSlotValue(3, 3, 0);
    EXPECT_NE(a, b);
    b = a;
    b.SetName("x");
    EXPECT_NE(a, b);
}

TEST(SlotSelection, CopyTakesOnlyTheSourceSlots)
{
    CSlotSelection four(4);
    for (uint8_t slot = 0; slot < 4; ++slot)
        four.SetActive(slot, true);
    CSlotSelection one(1);
    one.SetActive(0, true);
    one.SetActive(2, true); // beyond its count: stays inactive
    EXPECT_FALSE(one.IsActive(2));

    four.CopyFlagsFrom(one);
    EXPECT_EQ(four.GetSlotCount(), 4);
    EXPECT_TRUE(four.IsActive(0));
    EXPECT_FALSE(four.IsActive(1));
    EXPECT_FALSE(four.IsActive(3));
}

TEST(SlotSelection, SelectOnlyAndToggle)
{
    CSlotSelection s(4);
    EXPECT_TRUE(s.SelectOnly(1));
    EXPECT_FALSE(s.SelectOnly(1)); // already active: nothing changes

    uint8_t current = 1;
    // The only active slot stays.
    EXPECT_FALSE(s.Toggle(1, 1, current));
    EXPECT_TRUE(s.IsActive(1));
    // An inactive slot joins.
    EXPECT_FALSE(s.Toggle(3, 1, current));
    EXPECT_TRUE(s.IsActive(3));
    // Turning off the current slot names another active one.
    EXPECT_TRUE(s.Toggle(1, 1, current));
    EXPECT_FALSE(s.IsActive(1));
    EXPECT_EQ(current, 3);
    EXPECT_TRUE(s.SelectOnly(0));
    EXPECT_EQ(s.CountActive(), 1);
}

TEST(VoiceCounts, LimitAndCopy)
{
    CVoiceCounts four(4);
    EXPECT_EQ(four.GetVoices(2), 1);
    four.SetVoices(2, 40);
    EXPECT_EQ(four.GetVoices(2), 32);

    CVoiceCounts one(1);
    one.SetVoices(0, 12);
    four.CopyFrom(one);
    EXPECT_EQ(four.GetVoices(0), 12);
    EXPECT_EQ(four.GetVoices(2), 1);
}

TEST(FlashAddress, ShownAsOneNumberAndLimited)
{
    EXPECT_EQ((CFlashAddress{0, 4}).GetDisplayNumber(), 105);
    EXPECT_EQ((CFlashAddress{8, 98}).GetDisplayNumber(), 999);
    EXPECT_EQ(CFlashAddress::Clamped(20, 200), (CFlashAddress{8, 98}));
    EXPECT_EQ(CFlashAddress::FromIndex((CFlashAddress{3, 98}).GetIndex() + 1), (CFlashAddress{4, 0}));
}
