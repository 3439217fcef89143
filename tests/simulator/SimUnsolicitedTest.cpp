#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "simulator/SimCatalogueTypes.h"

using namespace sim;
using namespace simtest;

namespace {

class SimUnsolicitedTest : public ::testing::Test {
protected:
    SimUnsolicitedTest() : synth(SimConfig{}, TestTypes())
    {
        SimPatch patch;
        patch.areas[1].modules[1] = SimModule{7, 0, 0, "", {0, 0, 0, 0, 0}, {}};
        synth.LoadSlot(0, patch);
    }

    // The one frame sent, which must not look like an answer.
    SimFrame Sent()
    {
        synth.AdvanceMs(1);
        return OnlyFrame(synth.TakeOutput(), false);
    }

    CSimulator synth;
};

} // namespace

TEST_F(SimUnsolicitedTest, PanelChangesAreAppliedAndTold)
{
    const uint8_t session = synth.Slot(0).session;
    struct Case {
        const char* name;
        std::function<void()> act;
        bool numbered;
        Bytes payload;
    };
    const Case cases[] = {
        {"parameter",
         [&] {
             synth.PanelParamChange(0, {1, 1, 3}, 50);
         },
         true,
         {0x40, 1, 1, 3, 50, 0x7F}},
        {"morph",
         [&] {
             synth.PanelMorphChange(0, {1, 1, 3}, -20);
         },
         true,
         {0x43, 1, 1, 3, 20, 1, 0x7F}},
        {"parameter focus",
         [&] {
             synth.PanelParamFocus(0, {true, {1, 1, 2}});
         },
         true,
         {0x2F, 1, 1, 1, 2, 0x7F}},
        {"knob",
         [&] {
             synth.PanelKnobAssign(0, 19, {1, 1, 3});
         },
         true,
         {0x25, 1, 3, 0x33, 0x7F}},
        {"knob off", [&] { synth.PanelKnobDeassign(0, 19); }, true, {0x26, 19, 0x7F}},
        {"controller",
         [&] {
             synth.PanelCtrlAssign(0, 7, {1, 1, 3});
         },
         true,
         {0x22, 1, 1, 3, 7, 0x7F}},
        {"controller off", [&] { synth.PanelCtrlDeassign(0, 7); }, true, {0x23, 7, 0x7F}},
        {"slot focus", [&] { synth.PanelSlotFocus(1); }, false, {0x09, 0x01, 0x7F}},
        {"selection",
         [&] {
             synth.PanelSelection({true, false, true, false});
         },
         false,
         {0x07, 0x0A, 0x7F}},
        {"voices",
         [&] {
             synth.PanelVoices({4, 3, 2, 1});
         },
         false,
         {0x05, 4, 3, 2, 1, 0x7F}},
    };
    for (const Case& c : cases) {
        c.act();
        const SimFrame frame = Sent();
        EXPECT_EQ(frame.payload, c.payload) << c.name;
        EXPECT_EQ(frame.numberByte, c.numbered ? session : 0x41) << c.name;
    }
    EXPECT_EQ(synth.Slot(0).patch.areas[1].modules[1].params[3], 50);
    EXPECT_EQ(synth.FocusSlot(), 1);
    EXPECT_EQ(synth.Slot(2).voices, 2);
}

TEST_F(SimUnsolicitedTest, PatchChangeOnThePanelReleasesTheSlot)
{
    const uint8_t before = synth.Slot(3).session;
    SimPatch patch;
    patch.name = "New";
    synth.PanelPatchChange(3, patch);
    const uint8_t after = synth.Slot(3).session;
    EXPECT_EQ(after, (before + 1) % 64);
    EXPECT_EQ(Sent().payload, (Bytes{0x38, 0x03, after, 0x7F}));
    // Edits stamped with the old number are now stale.
    Exchange(synth, EditorFrame(3, before, {0x27, 'O', 'l', 'd', 0x00, 0x7F}));
    EXPECT_EQ(synth.Slot(3).patch.name, "New");
}

TEST_F(SimUnsolicitedTest, ValueFramesAtTheChosenRate)
{
    synth.StartValueFrames(1, 10);
    synth.AdvanceMs(1000);
    const std::vector<Bytes> out = synth.TakeOutput();
    ASSERT_EQ(out.size(), 10u);
    for (const Bytes& f : out) {
        EXPECT_EQ(f[2] & (kFlagLast | kFlagPacked), 0) << "unpacked, not an answer";
        EXPECT_EQ(f[2] & 3, 1);
        EXPECT_TRUE(Parsed(f).checksumOk);
    }
    // The first value frame: entries 0 to 4, each low seven bits first.
    const SimSlot& slot = synth.Slot(1);
    EXPECT_EQ(out[0][5], 0x3A);
    EXPECT_EQ(out[0][6], 0);
    EXPECT_EQ(out[9][5], 0x39);
    EXPECT_EQ(out[9][6], 20);
    // The last state frame: three 2-bit states to a byte, the first in bits 0-1.
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ((out[9][7 + i / 3] >> (2 * (i % 3))) & 3, slot.states[20 + i]) << i;
    synth.StartValueFrames(1, 0);
    synth.AdvanceMs(1000);
    EXPECT_TRUE(synth.TakeOutput().empty());
}

TEST_F(SimUnsolicitedTest, MalformedValueFrames)
{
    synth.Faults().valueFault = SimValueFault::BadChecksum;
    synth.SendValueFrame(0, 0x3A, 0);
    synth.Faults().valueFault = SimValueFault::Truncated;
    synth.SendValueFrame(0, 0x3A, 0);
    synth.Faults().valueFault = SimValueFault::IndexBeyondEnd;
    synth.SendValueFrame(0, 0x39, 0);
    synth.AdvanceMs(1);
    const std::vector<Bytes> out = synth.TakeOutput();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_FALSE(ParseFrame(out[0].data(), out[0].size())->checksumOk);
    EXPECT_EQ(out[1].size(), 10u);
    EXPECT_TRUE(Parsed(out[1]).checksumOk) << "only its length is wrong";
    EXPECT_EQ(out[2][6], 45);
}

TEST(SimCatalogueTypes, TheProgramsCatalogueGivesTheWidths)
{
    const CSimModuleTypes& types = CatalogueTypes();
    ASSERT_TRUE(types.HasType(7));
    EXPECT_GT(types.ParamCount(7), 0);
    EXPECT_FALSE(types.HasType(0));
}
