#include "synth/protocol/PatchHeader.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

TEST(PatchHeader, DefaultsAreTheNewPatchSettings)
{
    const CPatchHeader header;
    EXPECT_EQ(header.GetCommonRetrig(), 1);
    EXPECT_EQ(header.GetRetrig(), 1);
    EXPECT_EQ(header.GetPMMode(), CPatchHeader::kPortamentoNormal);
    EXPECT_EQ(header.GetPedalMode(), CPatchHeader::kPedalSustain);
    EXPECT_EQ(header.GetKbRangeMin(), 0);
    EXPECT_EQ(header.GetKbRangeMax(), 127);
    EXPECT_EQ(header.GetVelRangeMin(), 0);
    EXPECT_EQ(header.GetVelRangeMax(), 127);
    EXPECT_EQ(header.GetBendRange(), 2);
    EXPECT_EQ(header.GetPMTime(), 0);
    EXPECT_EQ(header.GetVoices(), 1);
    EXPECT_EQ(header.GetOctShift(), 0);
    EXPECT_EQ(header.GetSplitPosition(), 600);
    for (uint32_t i = 0; i < CPatchHeader::kMorphCount; ++i)
        EXPECT_EQ(header.GetMorph(i), 1);
    for (uint32_t i = 0; i < CPatchHeader::kCableColourCount; ++i)
        EXPECT_EQ(header.GetCableVisible(i), 1);
}

TEST(PatchHeader, SettersClampToTheirRanges)
{
    using Setter = std::function<void(CPatchHeader&, int32_t)>;
    using Getter = std::function<int32_t(const CPatchHeader&)>;
    struct Case {
        const char* field;
        Setter set;
        Getter get;
        int32_t argument;
        int32_t stored;
    };
    const Setter kbMax = [](CPatchHeader& h, int32_t v) { h.SetKbRangeMax(v); };
    const Getter getKbMax = [](const CPatchHeader& h) { return h.GetKbRangeMax(); };
    const Setter kbMin = [](CPatchHeader& h, int32_t v) { h.SetKbRangeMin(v); };
    const Getter getKbMin = [](const CPatchHeader& h) { return h.GetKbRangeMin(); };
    const Setter velMax = [](CPatchHeader& h, int32_t v) { h.SetVelRangeMax(v); };
    const Getter getVelMax = [](const CPatchHeader& h) { return h.GetVelRangeMax(); };
    const Setter pmTime = [](CPatchHeader& h, int32_t v) { h.SetPMTime(v); };
    const Getter getPmTime = [](const CPatchHeader& h) { return h.GetPMTime(); };
    const Setter bend = [](CPatchHeader& h, int32_t v) { h.SetBendRange(v); };
    const Getter getBend = [](const CPatchHeader& h) { return h.GetBendRange(); };
    const Setter voices = [](CPatchHeader& h, int32_t v) { h.SetVoices(v); };
    const Getter getVoices = [](const CPatchHeader& h) { return h.GetVoices(); };
    const Setter oct = [](CPatchHeader& h, int32_t v) { h.SetOctShift(v); };
    const Getter getOct = [](const CPatchHeader& h) { return h.GetOctShift(); };
    const Setter split = [](CPatchHeader& h, int32_t v) { h.SetSplitPosition(v); };
    const Getter getSplit = [](const CPatchHeader& h) { return h.GetSplitPosition(); };
    const Setter pmMode = [](CPatchHeader& h, int32_t v) { h.SetPMMode(static_cast<uint32_t>(v)); };
    const Getter getPmMode = [](const CPatchHeader& h) { return static_cast<int32_t>(h.GetPMMode()); };

    const std::vector<Case> cases{
        {"KbRangeMax", kbMax, getKbMax, 200, 0},
        {"KbRangeMax", kbMax, getKbMax, 127, 127},
        {"KbRangeMax", kbMax, getKbMax, 128, 0},
        {"KbRangeMin", kbMin, getKbMin, 200, 0},
        {"VelRangeMax", velMax, getVelMax, -1, 0},
        {"PMTime", pmTime, getPmTime, 127, 127},
        {"BendRange", bend, getBend, 24, 24},
        {"BendRange", bend, getBend, 25, 0},
        {"Voices", voices, getVoices, 0, 1},
        {"Voices", voices, getVoices, 33, 1},
        {"Voices", voices, getVoices, 32, 32},
        {"OctShift", oct, getOct, -3, 0},
        {"OctShift", oct, getOct, 3, 0},
        {"OctShift", oct, getOct, -2, -2},
        {"OctShift", oct, getOct, 2, 2},
        {"SplitPosition", split, getSplit, 20000, 16383},
        {"SplitPosition", split, getSplit, 16383, 16383},
        {"SplitPosition", split, getSplit, -5, 600}, // ignored: the previous value stays
        {"SplitPosition", split, getSplit, 0, 0},
        {"PMMode", pmMode, getPmMode, 7, 1},
    };
    for (const Case& c : cases) {
        CPatchHeader header;
        c.set(header, c.argument);
        EXPECT_EQ(c.get(header), c.stored) << c.field << " set to " << c.argument;
    }
}

TEST(PatchHeader, FlagsAreIndexedByTheLowByteAndIgnoreOthers)
{
    CPatchHeader header;
    header.SetMorph(0x102, 0); // low 8 bits: index 2
    EXPECT_EQ(header.GetMorph(2), 0);
    header.SetMorph(4, 0); // beyond the four morph flags: ignored
    EXPECT_EQ(header.GetMorph(4), 0);
    header.SetCableVisible(6, 9);
    EXPECT_EQ(header.GetCableVisible(6), 9);
    header.SetCableVisible(7, 0);
    for (uint32_t i = 0; i < 6; ++i)
        EXPECT_EQ(header.GetCableVisible(i), 1);
}

TEST(PatchHeader, ComparisonsSeparateSynthFieldsFromViewFields)
{
    const CPatchHeader base;
    EXPECT_TRUE(base.Equals(CPatchHeader{}));

    CPatchHeader cables;
    cables.SetCableVisible(3, 0);
    EXPECT_FALSE(base.Equals(cables));
    EXPECT_FALSE(base.DiffersForSynth(cables));

    CPatchHeader split;
    split.SetSplitPosition(100);
    EXPECT_FALSE(base.Equals(split));
    EXPECT_FALSE(base.DiffersForSynth(split));

    CPatchHeader pedal;
    pedal.SetPedalMode(true);
    EXPECT_EQ(pedal.GetPedalMode(), CPatchHeader::kPedalOnOff);
    EXPECT_TRUE(base.DiffersForSynth(pedal));
    EXPECT_TRUE(base.SameVoices(pedal));

    CPatchHeader voices;
    voices.SetVoices(8);
    EXPECT_FALSE(base.SameVoices(voices));
    EXPECT_TRUE(base.DiffersForSynth(voices));

    CPatchHeader retrig;
    retrig.SetCommonRetrig(0);
    EXPECT_TRUE(base.DiffersForSynth(retrig));
}

} // namespace
