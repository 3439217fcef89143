// Meter and LED values: stored by the MIDI input worker into the value
// block of the frame's slot, never queued, never read past their end.
#include "LinkRig.h"

using namespace linkrig;

namespace {

// A connected rig whose synthesizer holds recognisable values in a slot.
void FillSlot(CLinkRig& rig, int slot)
{
    rig.SimPort().With([slot](sim::CSimulator& s) {
        for (int i = 0; i < 40; ++i) {
            s.Slot(slot).values[i] = static_cast<uint16_t>(1000 + i * 300);
            s.Slot(slot).states[i] = static_cast<uint8_t>(i % 4);
        }
        return 0;
    });
}

void SendFrame(CLinkRig& rig, int slot, uint8_t id, int first)
{
    rig.SimPort().With([&](sim::CSimulator& s) {
        s.SendValueFrame(slot, id, first);
        return 0;
    });
    rig.Step();
}

bool NoChanges(CSynthPort& port)
{
    for (uint8_t slot = 0; slot < 4; ++slot) {
        if (port.GetSlotParamBlock(slot).HasChanges())
            return false;
    }
    return true;
}

} // namespace

class LinkValueFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.patches.loadFromSynth = false;
        rig.OpenPort(0, 0);
        ASSERT_TRUE(rig.Settle());
        // The flash scan over too, so that nothing else arrives.
        ASSERT_TRUE(rig.StepUntil([&] { return !rig.SynthObject().GetFlashMemory().IsScanning(); }));
        rig.Steps(2);
        FillSlot(rig, 2);
    }
    CLinkRig rig;
};

TEST_F(LinkValueFrame, ValuesLandInTheirSlotsBlock)
{
    SendFrame(rig, 2, 0x3A, 38);
    CParamValueBlock& block = rig.Port().GetSlotParamBlock(2);
    EXPECT_EQ(block.GetValueChangedCount(), 2u) << "only entries 38 and 39 exist";
    EXPECT_EQ(block.TakeValue(38), 1000 + 38 * 300);
    EXPECT_EQ(block.TakeValue(39), 1000 + 39 * 300);
    EXPECT_TRUE(NoChanges(rig.Port()));
    EXPECT_FALSE(rig.Port().HasMessage()) << "value frames are not queued";
}

TEST_F(LinkValueFrame, StatesLandInTheirSlotsBlock)
{
    SendFrame(rig, 2, 0x39, 30);
    CParamValueBlock& block = rig.Port().GetSlotParamBlock(2);
    // States 30-39 that differ from the block's 0.
    uint32_t changed = 0;
    for (uint32_t i = 30; i < 40; ++i) {
        changed += block.IsStateChanged(i) ? 1 : 0;
        EXPECT_EQ(block.TakeState(i), i % 4) << i;
    }
    EXPECT_EQ(changed, 8u);
    EXPECT_TRUE(NoChanges(rig.Port()));
}

TEST_F(LinkValueFrame, SpoiledFramesChangeNothing)
{
    for (const sim::SimValueFault fault : {sim::SimValueFault::BadChecksum, sim::SimValueFault::IndexBeyondEnd}) {
        rig.Synth().Faults().valueFault = fault;
        SendFrame(rig, 2, 0x3A, 0);
        SendFrame(rig, 2, 0x39, 0);
        EXPECT_TRUE(NoChanges(rig.Port())) << static_cast<int>(fault);
    }
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kConnected);
}

// A frame cut after its first data byte, with a good checksum: a value
// needs two bytes, so none is stored; the byte holds the first three states.
TEST_F(LinkValueFrame, ACutFrameStoresOnlyWhatItHolds)
{
    rig.Synth().Faults().valueFault = sim::SimValueFault::Truncated;
    SendFrame(rig, 2, 0x3A, 0);
    EXPECT_TRUE(NoChanges(rig.Port()));
    SendFrame(rig, 2, 0x39, 0);
    CParamValueBlock& block = rig.Port().GetSlotParamBlock(2);
    EXPECT_EQ(block.GetStateChangedCount(), 2u);
    EXPECT_EQ(block.TakeState(1), 1);
    EXPECT_EQ(block.TakeState(2), 2);
}

// A frame that ends right after its index byte, handed to the port as the
// worker does: the storing reads nothing past its end (AddressSanitizer
// watches the buffer).
TEST_F(LinkValueFrame, AShortFrameIsNotReadPastItsEnd)
{
    Bytes frame{0xF0, 0x7D, 0x52, 0x06, 0x01, 0x3A, 0x00};
    unsigned sum = 0;
    for (uint8_t b : frame)
        sum += b;
    frame.push_back(static_cast<uint8_t>(sum & 0x7F));
    frame.push_back(0xF7);
    rig.Inject(frame);
    EXPECT_TRUE(NoChanges(rig.Port()));
}

TEST(LinkValueFrames, FramesBeforeTheSynthesizerIsKnownOrForSlotsItLacksAreDropped)
{
    sim::SimConfig config;
    config.model = sim::SimModel::Pebix;
    CLinkRig rig({config});
    rig.patches.loadFromSynth = false;
    FillSlot(rig, 0);
    rig.OpenPort(0, 0);
    SendFrame(rig, 0, 0x3A, 0); // pinged, nothing known yet
    EXPECT_TRUE(NoChanges(rig.Port()));
    ASSERT_TRUE(rig.Settle());
    FillSlot(rig, 1);
    SendFrame(rig, 1, 0x3A, 0);
    EXPECT_TRUE(NoChanges(rig.Port())) << "a one-slot model has no slot B";
    SendFrame(rig, 0, 0x3A, 0);
    EXPECT_EQ(rig.Port().GetSlotParamBlock(0).GetValueChangedCount(), 5u);
}

// A running stream of value frames while the main thread takes the values
// and the link is torn down and rebuilt: run under ThreadSanitizer.
TEST(LinkValueFrames, AStreamWhileTheSynthesizerObjectComesAndGoes)
{
    CLinkRig rig;
    rig.patches.loadFromSynth = false;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    rig.SimPort().With([](sim::CSimulator& s) {
        s.StartValueFrames(1, 1000);
        return 0;
    });
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 20; ++i) {
            rig.Step();
            CParamValueBlock& block = rig.Port().GetSlotParamBlock(1);
            for (uint32_t entry = 0; entry < 40; ++entry) {
                block.TakeValue(entry);
                block.TakeState(entry);
            }
        }
        // Lost and found again: the synthesizer object goes while frames
        // keep arriving.
        rig.Port().Fail(CSynthPort::kNewFound, {});
        rig.Manager().ClosePort(0);
        rig.OpenPort(0, 0);
        rig.Steps(3);
        ASSERT_TRUE(rig.Port().HasSynth());
    }
}
