#include "synth/molecules/PacketDecoder.h"

#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/protocol/SysexFrame.h"

#include <algorithm>
#include <array>

void DecodePacket(std::span<const uint8_t> frame, CMoleculePacket& packet, const CMoleculeRegistry& registry)
{
    if (DecodedSysexLength(frame) > kDecodeBufferSize)
        throw XMStreamOverflow();
    std::array<uint8_t, kDecodeBufferSize> buffer{};
    uint32_t length = 0;
    DecodeSysexFrame(frame, buffer, length);

    packet.SetSlot(buffer[2] & SysexFrame::kSlotMask);
    if ((buffer[4] & SysexFrame::kNoNumber) != 0)
        packet.ClearSessionNumber();
    else
        packet.SetSessionNumber(buffer[4]);

    // The payload ends one byte before the decoded length.
    for (uint32_t position = SysexFrame::kHeaderLength; position + 1 < length;) {
        const uint8_t id = buffer[position];
        if (id == SysexFrame::kSynthError)
            throw XMHostMidi(buffer[position + 1]);
        if (id == SysexFrame::kEndOfMolecules)
            break;
        std::unique_ptr<CMolecule> molecule = registry.Create(id);
        if (!molecule)
            throw XMUnregisteredMolecule();
        if (packet.IsEmpty())
            packet.SetTarget(registry.GetFlag(id));
        // Bounded by the payload's end, so a truncated molecule throws
        // instead of reading the spare byte or stale bytes behind it.
        CMIDIInStream stream(std::min(kMaxReceivedMolecule, length - position), buffer.data() + position);
        molecule->Read(stream);
        position += std::max<uint32_t>(stream.GetByteLength(), 1);
        packet.Append(std::move(molecule));
    }
}

void DecodePacket(std::span<const uint8_t> frame, CMoleculePacket& packet)
{
    static const CMoleculeRegistry empty;
    const CMoleculeRegistry* registry = GetMoleculeRegistry();
    DecodePacket(frame, packet, registry ? *registry : empty);
}
