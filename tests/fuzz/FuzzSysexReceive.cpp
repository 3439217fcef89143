// The editor's SysEx receive path: MIDI input buffers of any cut through the
// assembler, then each whole message through the checks the synthesizer
// port applies: identify replies, value frames stored into a slot's block,
// and every other checked frame through DecodePacket with the application's
// molecule registry over the real module catalogue.
//
// Input: one byte N (0-15), N buffer lengths, then the bytes on the wire.

#include "modules/ModuleCatalogueContent.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "synth/molecules/PacketDecoder.h"
#include "synth/protocol/ParamValueBlock.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/protocol/RawSysex.h"
#include "synth/protocol/SysexMIDIInput.h"
#include "synth/protocol/ValueFrame.h"
#include "tests/fuzz/FuzzInput.h"

#include <memory>

namespace {

struct CReceiveSide {
    CReceiveSide()
    {
        InstallSharedModuleTypeInfo();
        RegisterReceivedMolecules(registry);
        SetMoleculeRegistry(&registry);
    }
    CMoleculeRegistry registry;
    CParamValueBlock values;
};

void HandleMessage(std::span<const uint8_t> message, CParamValueBlock& values)
{
    if (!IsEditorFrame(message)) {
        (void)IsIdentifyReply(message);
        return;
    }
    if (!HasValidChecksum(message))
        return;
    if (IsValueFrame(message)) {
        StoreValueFrame(message, values);
        return;
    }
    CMoleculePacket packet;
    try {
        DecodePacket(message, packet);
    } catch (const XTorvanBase&) {
        // Refused: the port reports it and closes.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CReceiveSide side;
    fuzzinput::CFuzzInput input(data, size);
    const size_t cutCount = input.TakeByte() & 0x0F;
    const std::span<const uint8_t> cuts = input.Rest().first(std::min(cutCount, input.Rest().size()));
    const std::span<const uint8_t> wire = input.Rest().subspan(cuts.size());

    CSysexMIDIInput receiver;
    fuzzinput::FeedInCuts(wire, cuts, [&](std::span<const uint8_t> buffer) {
        receiver.AddData(buffer.data(), static_cast<uint32_t>(buffer.size()));
        while (const std::unique_ptr<CRawSysex> message = receiver.TakeMessage())
            HandleMessage(message->View(), side.values);
    });
    return 0;
}
