#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "synth/molecules/PacketDecoder.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/protocol/SysexFrame.h"
#include "synth/molecules/MoleculeBuilders.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/SynthMolecules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

int g_alive = 0;

// Stands for a parameter change: area, module, parameter, value bytes.
class CMTestParam : public CMolecule {
public:
    CMTestParam() { ++g_alive; }
    ~CMTestParam() override { --g_alive; }
    void Read(CMIDIInStream& in) override
    {
        in.ReadMoleculeId();
        area = in.ReadAlignedByte();
        module = in.ReadAlignedByte();
        param = in.ReadAlignedByte();
        value = in.ReadAlignedByte();
    }
    uint8_t area = 0, module = 0, param = 0, value = 0;
};

// Stands for a synthesizer-level dump of one 7-bit field.
class CMTestSlot : public CMolecule {
public:
    void Read(CMIDIInStream& in) override
    {
        in.ReadMoleculeId();
        in.ReadBits(1);
        slot = in.ReadBits(7);
    }
    uint8_t slot = 0;
};

// A molecule whose reader takes nothing (not even its id).
class CMTestSilent : public CMolecule { };

class PacketDecoder : public testing::Test {
protected:
    PacketDecoder()
    {
        registry_.Register(std::make_unique<TMoleculeBuilder<CMTestParam, 0x40>>(CMoleculeBuilder::kTargetPatch));
        registry_.Register(std::make_unique<TMoleculeBuilder<CMTestSlot, 0x07>>(CMoleculeBuilder::kTargetSynth));
        registry_.Register(std::make_unique<TMoleculeBuilder<CMTestSilent, 0x18>>(CMoleculeBuilder::kTargetSynth));
    }

    static Bytes Frame(const Bytes& payload, uint8_t slot = 0, uint8_t numberByte = 0x40, bool packed = false)
    {
        CSysexFrameSpec spec;
        spec.payload = payload.data();
        spec.length = static_cast<uint32_t>(payload.size());
        spec.slot = slot;
        spec.noNumber = (numberByte & 0x40) != 0;
        spec.number = spec.count = numberByte & 0x3F;
        spec.packed = packed;
        spec.first = spec.last = true;
        const auto frame = MakeRawSysexFrame(spec);
        return Bytes(frame->GetBytes(), frame->GetBytes() + frame->GetLength());
    }

    CMoleculeRegistry registry_;
    CMoleculePacket packet_;
};

TEST_F(PacketDecoder, EndMarkerAloneGivesAnEmptyPacketWithItsSlot)
{
    DecodePacket(Frame({0x7F}, 2), packet_, registry_);
    EXPECT_TRUE(packet_.IsEmpty());
    EXPECT_EQ(packet_.GetSlot(), 2);
    EXPECT_EQ(packet_.GetTarget(), 0u);
}

TEST_F(PacketDecoder, NumberByteWithAndWithoutCountFlag)
{
    DecodePacket(Frame({0x7F}, 0, 0x45), packet_, registry_);
    EXPECT_TRUE(packet_.HasNoNumber());
    DecodePacket(Frame({0x7F}, 0, 0x05), packet_, registry_);
    EXPECT_FALSE(packet_.HasNoNumber());
    EXPECT_EQ(packet_.GetSessionNumber(), 5);
}

TEST_F(PacketDecoder, MoleculesInFrameOrderWithTheFirstOnesTarget)
{
    DecodePacket(Frame({0x40, 0x01, 0x05, 0x03, 0x64, 0x7F}), packet_, registry_);
    ASSERT_EQ(packet_.GetCount(), 1u);
    const auto& param = dynamic_cast<const CMTestParam&>(packet_.At(0));
    EXPECT_EQ(param.module, 5);
    EXPECT_EQ(param.value, 0x64);
    EXPECT_EQ(packet_.GetTarget(), 2u);

    CMoleculePacket synthPacket;
    DecodePacket(Frame({0x07, 0x03, 0x40, 0x00, 0x01, 0x02, 0x03}, 1, 0x40, true), synthPacket, registry_);
    ASSERT_EQ(synthPacket.GetCount(), 2u); // no end marker: the payload's end stops it
    EXPECT_EQ(dynamic_cast<const CMTestSlot&>(synthPacket.At(0)).slot, 3);
    EXPECT_EQ(synthPacket.GetTarget(), 1u);
    EXPECT_EQ(synthPacket.GetSlot(), 1);
}

TEST_F(PacketDecoder, AReaderThatTakesNothingStillMovesOn)
{
    DecodePacket(Frame({0x18, 0x18, 0x7F}), packet_, registry_);
    EXPECT_EQ(packet_.GetCount(), 2u);
}

TEST_F(PacketDecoder, FailuresKeepWhatWasReadBefore)
{
    struct Case {
        const char* name;
        Bytes payload;
        uint32_t kept;
        std::string text;
    };
    const std::vector<Case> cases{
        {"unregistered id", {0x40, 1, 2, 3, 4, 0x02, 0x7F}, 1, "Unregistered molecule"},
        {"synth error", {0x40, 1, 2, 3, 4, 0x7E, 0x05}, 1, "Synth MIDI in error"},
        {"truncated molecule", {0x40, 1, 2, 3, 4, 0x40, 1, 2}, 1, "Stream too long"},
        {"truncated by the end marker's absence", {0x40, 1, 2, 3}, 0, "Stream too long"},
    };
    for (const Case& c : cases) {
        CMoleculePacket packet;
        try {
            DecodePacket(Frame(c.payload), packet, registry_);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const XTorvanBase& error) {
            EXPECT_EQ(error.GetText(), c.text) << c.name;
        }
        EXPECT_EQ(packet.GetCount(), c.kept) << c.name;
        EXPECT_EQ(g_alive, static_cast<int>(c.kept)) << c.name << ": the molecule being read is deleted";
    }
}

TEST_F(PacketDecoder, SynthErrorCarriesItsCodeAndText)
{
    try {
        DecodePacket(Frame({0x7E, 0x05}), packet_, registry_);
        FAIL();
    } catch (const XMHostMidi& error) {
        EXPECT_EQ(error.GetCode(), 5);
        EXPECT_EQ(error.GetErrorText(), "Stream execute error. Synth may be corrupted. Please turn it off and on.");
    }
    const std::vector<std::pair<uint8_t, std::string>> texts{
        {3, "Error in synth."}, {4, "Down link check sum error."}, {6, "Unfinished bubble error."}, {7, ""}, {0, ""}};
    for (const auto& [code, text] : texts)
        EXPECT_EQ(XMHostMidi(code).GetErrorText(), text) << int(code);
}

TEST_F(PacketDecoder, FrameLargerThanTheDecodeBufferIsRefused)
{
    Bytes payload(kDecodeBufferSize, 0x7F);
    EXPECT_THROW(DecodePacket(Frame(payload), packet_, registry_), XMStreamOverflow);
    payload.resize(kDecodeBufferSize - 6); // exactly fills it
    DecodePacket(Frame(payload), packet_, registry_);
    EXPECT_TRUE(packet_.IsEmpty());
}

TEST_F(PacketDecoder, UsesTheApplicationsRegistry)
{
    EXPECT_THROW(DecodePacket(Frame({0x40, 1, 2, 3, 4}), packet_), XMUnregisteredMolecule);
    SetMoleculeRegistry(&registry_);
    DecodePacket(Frame({0x40, 1, 2, 3, 4}), packet_);
    SetMoleculeRegistry(nullptr);
    EXPECT_EQ(packet_.GetCount(), 1u);
}

} // namespace

namespace {

// Molecules written by the real writers, framed, and dispatched through the
// application's builders.
Bytes Written(std::initializer_list<const CMolecule*> molecules)
{
    Bytes payload(256);
    uint32_t at = 0;
    for (const CMolecule* molecule : molecules) {
        CMIDIOutStream out(static_cast<uint32_t>(payload.size()) - at, payload.data() + at);
        molecule->Write(out);
        at += out.GetByteLength();
    }
    payload.resize(at);
    return payload;
}

TEST(PacketDecoderWithTheReceivedMolecules, ParamChangeAndSlotSelection)
{
    CMoleculeRegistry registry;
    RegisterReceivedMolecules(registry);
    const CMParamChange change(1, 5, 3, 100);
    const CMSlotSelectionDump selection;

    Bytes payload = Written({&change});
    payload.push_back(0x7F);
    CSysexFrameSpec spec;
    spec.payload = payload.data();
    spec.length = static_cast<uint32_t>(payload.size());
    spec.slot = 3;
    spec.noNumber = false;
    spec.number = 9;
    CMoleculePacket packet;
    DecodePacket(MakeRawSysexFrame(spec)->View(), packet, registry);
    ASSERT_EQ(packet.GetCount(), 1u);
    const auto& received = dynamic_cast<const CMParamChange&>(packet.At(0));
    EXPECT_EQ(received.address.module, 5);
    EXPECT_EQ(received.value, 100);
    EXPECT_EQ(packet.GetTarget(), 2u);
    EXPECT_EQ(packet.GetSlot(), 3);
    EXPECT_EQ(packet.GetSessionNumber(), 9);

    payload = Written({&selection, &change});
    spec.payload = payload.data();
    spec.length = static_cast<uint32_t>(payload.size());
    CMoleculePacket mixed;
    DecodePacket(MakeRawSysexFrame(spec)->View(), mixed, registry);
    ASSERT_EQ(mixed.GetCount(), 2u);
    EXPECT_EQ(mixed.GetTarget(), 1u);

    const Bytes sendOnly{0x02, 0x7F};
    spec.payload = sendOnly.data();
    spec.length = 2;
    CMoleculePacket refused;
    EXPECT_THROW(DecodePacket(MakeRawSysexFrame(spec)->View(), refused, registry), XMUnregisteredMolecule);
}

} // namespace
