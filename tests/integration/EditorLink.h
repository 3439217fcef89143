#pragma once

// The editor's side of the link, put together from its own framing and
// receive code, talking to the simulated synthesizer: frames are built as
// the editor's send queues build them, and what the synthesizer answers goes
// through the editor's assembler, checksum test and receive dispatcher.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "modules/ModuleCatalogueContent.h"
#include "simulator/SimCatalogueTypes.h"
#include "simulator/Simulator.h"
#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/Molecule.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "synth/molecules/PacketDecoder.h"
#include "synth/protocol/SysexAssembler.h"
#include "synth/protocol/SysexFrame.h"
#include "synth/protocol/ValueFrame.h"

namespace linktest {

using Bytes = std::vector<uint8_t>;
using Molecules = std::vector<const CMolecule*>;

inline constexpr uint32_t kMessageBuffer = 8192;
inline constexpr uint32_t kLiveBuffer = 166;

inline Bytes ToBytes(const CSysexFrame& frame)
{
    return {frame.GetBytes(), frame.GetBytes() + frame.GetLength()};
}

// The queued path (requests and dumps): the molecules end to end, checksum
// on, packed when one of them needs it, cut into frames of at most 166
// payload bytes. `number` is the slot's session number; without one, byte 4
// counts molecules.
inline std::vector<Bytes> QueuedFrames(const Molecules& molecules, uint8_t slot, std::optional<uint8_t> number)
{
    Bytes buffer(kMessageBuffer);
    std::vector<uint32_t> ends;
    uint32_t used = 0;
    bool packed = false;
    bool expectsAnswer = false;
    for (const CMolecule* molecule : molecules) {
        CMIDIOutStream out(kMessageBuffer - used, buffer.data() + used);
        molecule->Write(out);
        if (ends.empty())
            expectsAnswer = out.GetHeaderKind() == CMIDIOutStream::kKindRequest;
        packed = packed || out.GetHeaderFlag() == 0;
        used += out.GetByteLength();
        ends.push_back(used);
    }
    CSysexFrameSpec spec;
    spec.payload = buffer.data();
    spec.length = used;
    spec.slot = slot > 3 ? 3 : slot;
    spec.number = number.value_or(0);
    spec.noNumber = !number.has_value();
    spec.noChecksum = false;
    spec.expectsAnswer = expectsAnswer;
    spec.packed = packed;
    std::vector<Bytes> frames;
    for (const auto& frame : MakeSysexFrames(spec, ends))
        frames.push_back(ToBytes(*frame));
    return frames;
}

// The live path: one molecule, one whole frame, no checksum, unpacked.
inline Bytes LiveFrame(const CMolecule& molecule, uint8_t slot, uint8_t number)
{
    Bytes buffer(kLiveBuffer);
    CMIDIOutStream out(kLiveBuffer, buffer.data());
    molecule.Write(out);
    CSysexFrameSpec spec;
    spec.payload = buffer.data();
    spec.length = out.GetByteLength();
    spec.slot = slot > 3 ? 3 : slot;
    spec.number = number;
    spec.noNumber = false;
    spec.noChecksum = true;
    spec.first = true;
    spec.last = true;
    return ToBytes(*MakeRawSysexFrame(spec));
}

// What the editor's input makes of the bytes that arrive: whole messages.
class CInputSide {
public:
    void Feed(const Bytes& buffer)
    {
        uint32_t pos = 0;
        while (pos < buffer.size()) {
            const uint32_t used = assembler_.Feed(buffer.data() + pos, static_cast<uint32_t>(buffer.size() - pos));
            pos += used;
            if (assembler_.IsComplete()) {
                const auto message = assembler_.TakeComplete();
                messages_.emplace_back(message.begin(), message.end());
            }
            if (used == 0)
                break;
        }
    }
    std::vector<Bytes> Take() { return std::exchange(messages_, {}); }
    bool IsInMessage() const { return assembler_.IsInMessage(); }

private:
    CSysexAssembler assembler_;
    std::vector<Bytes> messages_;
};

// The editor and the simulated synthesizer, joined.
class CEditorLink {
public:
    explicit CEditorLink(const sim::SimConfig& config = {}) : synth_(config, sim::CatalogueTypes())
    {
        InstallSharedModuleTypeInfo();
        RegisterReceivedMolecules(registry_);
    }

    sim::CSimulator& Synth() { return synth_; }
    const CMoleculeRegistry& Registry() const { return registry_; }

    // Lets the synthesizer's time run and returns the whole messages that
    // arrived, through the editor's assembler.
    std::vector<Bytes> Run(uint64_t ms = 10)
    {
        synth_.AdvanceMs(ms);
        for (const Bytes& buffer : synth_.TakeOutput())
            input_.Feed(buffer);
        return input_.Take();
    }

    void Send(const Bytes& frame) { synth_.Receive(frame); }

    // Sends a queued message frame by frame, as the pump does: the next
    // frame only after the answer to the one before. Returns every message
    // received on the way.
    std::vector<Bytes> Exchange(const Molecules& molecules, uint8_t slot, std::optional<uint8_t> number)
    {
        std::vector<Bytes> received;
        for (const Bytes& frame : QueuedFrames(molecules, slot, number)) {
            Send(frame);
            for (Bytes& message : Run())
                received.push_back(std::move(message));
        }
        return received;
    }

    // A message sent for a slot's patch, with the slot's session number.
    std::vector<Bytes> ExchangeForSlot(const Molecules& molecules, uint8_t slot)
    {
        return Exchange(molecules, slot, synth_.Slot(slot).session);
    }

    void SendLive(const CMolecule& molecule, uint8_t slot)
    {
        Send(LiveFrame(molecule, slot, synth_.Slot(slot).session));
    }

    // The editor's receive path for one frame: checksum test, then the
    // receive dispatcher with this link's registry.
    std::unique_ptr<CMoleculePacket> Decode(const Bytes& message) const
    {
        auto packet = std::make_unique<CMoleculePacket>();
        EXPECT_TRUE(IsEditorFrame(message));
        EXPECT_TRUE(HasValidChecksum(message)) << "the editor refuses the frame";
        DecodePacket(message, *packet, registry_);
        return packet;
    }

    // The answer packet of a request: the answers of all its frames in one
    // packet, as the sender gathers them; the answer frames (flag 0x08)
    // only.
    std::unique_ptr<CMoleculePacket> Answer(const std::vector<Bytes>& messages) const
    {
        auto packet = std::make_unique<CMoleculePacket>();
        for (const Bytes& message : messages) {
            if (!IsEditorFrame(message) || (message[2] & SysexFrame::kFlagLast) == 0)
                continue;
            EXPECT_TRUE(HasValidChecksum(message));
            DecodePacket(message, *packet, registry_);
        }
        return packet;
    }

    // Sends a request and returns its answer packet.
    std::unique_ptr<CMoleculePacket> Ask(const Molecules& molecules, uint8_t slot, std::optional<uint8_t> number)
    {
        return Answer(Exchange(molecules, slot, number));
    }
    std::unique_ptr<CMoleculePacket> AskSlot(const Molecules& molecules, uint8_t slot)
    {
        return Answer(ExchangeForSlot(molecules, slot));
    }

private:
    sim::CSimulator synth_;
    CMoleculeRegistry registry_;
    CInputSide input_;
};

// The molecule at `index` of a packet as the type expected, or a test
// failure.
template <typename T> const T& As(const CMoleculePacket& packet, uint32_t index)
{
    if (index >= packet.GetCount())
        throw std::runtime_error("the packet holds fewer molecules");
    const T* molecule = dynamic_cast<const T*>(&packet.At(index));
    if (molecule == nullptr)
        throw std::runtime_error("the molecule is of another kind");
    return *molecule;
}

} // namespace linktest
