// The send queues as the synthesizer sees them: the frames that arrive at
// its MIDI input, their flags, numbers, cuts and order.
#include "LinkRig.h"

#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"
#include "synth/protocol/MIDIStream.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/protocol/SysexFrame.h"

using namespace linkrig;

namespace {

constexpr uint8_t kFlagsMask = 0x7C;

// A connected synthesizer with every slot loaded, nothing under way, and a
// cleared log.
class LinkSender : public ::testing::Test {
protected:
    explicit LinkSender(uint32_t latencyMs = 0) : rig({Config(latencyMs)}) { }

    static sim::SimConfig Config(uint32_t latencyMs)
    {
        sim::SimConfig config;
        config.latencyMs = latencyMs;
        return config;
    }

    void SetUp() override
    {
        rig.Synth().Slot(2).session = 21;
        rig.patches.loadFromSynth = false;
        rig.OpenPort(0, 0);
        ASSERT_TRUE(rig.Settle());
        ASSERT_TRUE(rig.StepUntil([&] { return !rig.SynthObject().GetFlashMemory().IsScanning(); }));
        ASSERT_TRUE(rig.Settle());
        rig.Synth().ClearLog();
        rig.SynthReceived();
    }

    CSynth& Synth() { return rig.SynthObject(); }

    void Finish()
    {
        ASSERT_TRUE(rig.StepUntil([&] { return !rig.Port().IsAwaitingAnswer() && !Synth().IsWaitingForReply(); }));
    }

    CLinkRig rig;
};

class LinkSenderSlow : public LinkSender {
protected:
    LinkSenderSlow() : LinkSender(300) { }
};

// Patch name dumps (header flag 1: no packing) whose bytes add up to
// more than two frames.
std::unique_ptr<CMoleculePacket> NameDumps(int count, uint8_t slot, uint32_t& bytes)
{
    auto packet = std::make_unique<CMoleculePacket>();
    bytes = 0;
    for (int i = 0; i < count; ++i) {
        auto dump = std::make_unique<CMPatchNameDump>("Name " + std::to_string(i));
        std::array<uint8_t, 64> buffer{};
        CMIDIOutStream out(static_cast<uint32_t>(buffer.size()), buffer.data());
        dump->Write(out);
        bytes += out.GetByteLength();
        packet->Append(std::move(dump));
    }
    packet->SetSlot(slot);
    return packet;
}

} // namespace

TEST_F(LinkSender, LiveEditsGoOutOneMoleculeAFrame)
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMParamChange>(1, 1, 0, 64));
    packet.Append(std::make_unique<CMParamChange>(1, 1, 1, 65));
    packet.SetSlot(2);
    Synth().SendLiveEdit(packet);
    const auto frames = rig.SynthReceived();
    ASSERT_EQ(frames.size(), 2u);
    for (const Bytes& frame : frames) {
        EXPECT_EQ(frame[2], 0x40 | 0x04 | 0x08 | 2) << "first and last, no checksum, unpacked";
        EXPECT_EQ(frame[4], 21) << "the slot's session number";
    }
    EXPECT_FALSE(rig.Port().IsAwaitingAnswer());
}

TEST_F(LinkSender, AQueuedPacketIsCutIntoFramesOf166Bytes)
{
    uint32_t bytes = 0;
    auto packet = NameDumps(40, 1, bytes);
    ASSERT_GT(bytes, 2 * 166u);
    ASSERT_LT(bytes, 3 * 166u);
    Synth().SendEditDump(*packet);
    Finish();
    const auto frames = rig.SynthReceived();
    ASSERT_EQ(frames.size(), 3u);
    const std::array<uint32_t, 3> payloads{166, 166, bytes - 332};
    const std::array<uint8_t, 3> flags{0x04, 0x00, 0x08};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(frames[i].size(), 5 + payloads[i] + 2) << "header, payload, checksum, F7";
        EXPECT_EQ(frames[i][2] & kFlagsMask, 0x40 | 0x10 | flags[i]) << "checksum on, unpacked, frame " << i;
        EXPECT_EQ(frames[i][2] & 0x03, 1);
        EXPECT_EQ(frames[i][4], rig.SynthObject().GetSlotNumber(1));
    }
}

TEST_F(LinkSender, OneMoleculeThatNeedsPackingPacksEveryFrame)
{
    uint32_t bytes = 0;
    auto packet = NameDumps(40, 1, bytes);
    packet->Append(std::make_unique<CMPatchHeaderDump>(CPatchHeader{}));
    Synth().SendEditDump(*packet);
    Finish();
    const auto frames = rig.SynthReceived();
    ASSERT_EQ(frames.size(), 3u);
    for (const Bytes& frame : frames)
        EXPECT_NE(frame[2] & 0x20, 0) << "packed";
}

// Without a session number byte 4 counts the molecules: 0x40 | 1.
TEST_F(LinkSender, APacketWithoutNumberCountsItsMolecules)
{
    Synth().RequestSessionNumber(3);
    Finish();
    const auto frames = rig.SynthReceived();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][4], 0x41);
    EXPECT_EQ(frames[0][2] & 0x03, 3);
    EXPECT_EQ(rig.SynthLog(), std::vector<std::string>{"slot D: SessionNumberRequest"});
}

TEST_F(LinkSender, EmptyPacketsAreIgnored)
{
    CMoleculePacket empty;
    Synth().SendRequest(empty);
    Synth().SendDump(empty);
    empty.SetSlot(0);
    Synth().SendPatchEdit(empty);
    Synth().SendLiveEdit(empty);
    EXPECT_FALSE(Synth().IsWaitingForReply()) << "no frame, so no answer to wait for";
    EXPECT_FALSE(Synth().IsSlotBusy(0));
    EXPECT_TRUE(rig.SynthReceived().empty());
}

// A packet that does not fit the message buffer is refused whole.
TEST_F(LinkSender, APacketTooLongForItsBufferQueuesNothing)
{
    uint32_t bytes = 0;
    auto packet = NameDumps(900, 1, bytes);
    ASSERT_GT(bytes, 8192u);
    EXPECT_THROW(Synth().SendEditDump(*packet), XMStreamOverflow);
    EXPECT_THROW(Synth().SendRequest(*packet), XMStreamOverflow);
    EXPECT_FALSE(Synth().IsWaitingForReply());
    rig.Steps(3);
    EXPECT_TRUE(rig.SynthReceived().empty());
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kConnected);
}

TEST_F(LinkSenderSlow, DumpsGoBeforeRequestsOnceTheAwaitedAnswerIsIn)
{
    Synth().SendSynthSettings(Synth().GetSettings());
    ASSERT_TRUE(rig.Port().IsAwaitingAnswer());
    CMoleculePacket voices;
    voices.Append(std::make_unique<CMNumberOfVoicesRequest>());
    Synth().SendRequest(voices);
    CMoleculePacket selection;
    selection.Append(std::make_unique<CMSlotSelectionRequest>());
    Synth().SendDump(selection);
    EXPECT_EQ(rig.SynthLog().size(), 1u) << "one frame awaits its answer";
    Finish();
    const auto log = rig.SynthLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_NE(log[0].find("SynthDataDump"), std::string::npos) << log[0];
    EXPECT_NE(log[1].find("SlotSelectionRequest"), std::string::npos) << log[1];
    EXPECT_NE(log[2].find("NumberOfVoicesRequest"), std::string::npos) << log[2];
}

TEST_F(LinkSenderSlow, ASelectionWaitsForTheAnswerInFlight)
{
    Synth().SendSynthSettings(Synth().GetSettings());
    CSlotSelection selection(4);
    selection.SetActive(3, true);
    Synth().SetActiveSlots(selection);
    EXPECT_EQ(rig.SynthLog().size(), 1u);
    Finish();
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Synth().Selection()[3]; }, 40));
    EXPECT_TRUE(Synth().IsSlotActive(3));
    EXPECT_FALSE(Synth().IsSlotActive(0));
}

// A document bound to a slot with select is sent whole, to that slot.
TEST_F(LinkSender, AFreshSlotGetsItsDocumentInItsOwnSlot)
{
    CRecordingPatch document(rig.patches, "Fresh Pad");
    document.Link(Synth(), 1, true);
    EXPECT_TRUE(Synth().IsSlotBusy(1));
    EXPECT_EQ(Synth().GetSlotPatch(1), &document);
    EXPECT_EQ(rig.patches.documents[1]->synth, nullptr) << "the slot's previous document is released";
    EXPECT_TRUE(rig.Manager().IsCurrentPort(0));
    EXPECT_EQ(rig.Manager().GetCurrentSlot(), 1) << "selecting makes the slot current";
    ASSERT_TRUE(rig.Settle());
    const auto log = rig.SynthLog();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "slot A: SlotFocusDump(0,1)") << "the synthesizer is told the editor's current slot";
    EXPECT_EQ(log[1],
              "slot B: PatchHeaderDump PatchNameDump(\"Fresh Pad\") "
              "DumpBubbleDestination(0,0,0,\"Fresh Pad\")");
    EXPECT_EQ(log[2], "slot B: SessionNumberRequest") << "then the slot's new number";
    EXPECT_EQ(rig.Synth().Slot(1).patch.name, "Fresh Pad");
    EXPECT_EQ(rig.Synth().Slot(0).patch.name, "No name") << "slot A keeps its patch";
    EXPECT_FALSE(Synth().IsSlotBusy(1));
    EXPECT_EQ(Synth().GetSlotNumber(1), rig.Synth().Slot(1).session);
}

TEST_F(LinkSender, TheKeyboardNotePlaysAndIsReleased)
{
    Synth().PlayNote(64);
    EXPECT_TRUE(Synth().IsNoteActive());
    rig.Steps(2);
    EXPECT_EQ(rig.Synth().SoundingNote(), 64);
    Synth().PlayNote(67); // ignored while 64 sounds
    rig.Steps(2);
    EXPECT_EQ(rig.Synth().SoundingNote(), 64);
    Synth().ReleaseNote();
    Synth().PlayNote(67); // accepted: 64 is being released
    rig.Steps(4);
    EXPECT_EQ(rig.Synth().SoundingNote(), 67);
    Synth().ReleaseNote();
    rig.Steps(2);
    EXPECT_EQ(rig.Synth().SoundingNote(), -1);
    EXPECT_FALSE(Synth().IsNoteActive());
}
