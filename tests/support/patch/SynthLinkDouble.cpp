#include "tests/support/patch/SynthLinkDouble.h"

#include "synth/molecules/MoleculePacket.h"
#include "synth/protocol/MIDIStream.h"
#include "synth/protocol/ProtocolErrors.h"

namespace testsupport {

namespace {

// The id a molecule writes first.
uint8_t IdOf(const CMolecule& molecule)
{
    std::vector<uint8_t> bytes(8192);
    CMIDIOutStream stream(static_cast<uint32_t>(bytes.size()), bytes.data());
    molecule.Write(stream);
    return bytes[0];
}

} // namespace

void CSynthLinkDouble::RegisterSlotPatch(uint8_t, CSlotPatchInterface& patch, bool)
{
    registered = &patch;
}

bool CSynthLinkDouble::GetSlotVoiceCount(uint8_t, uint8_t& count) const
{
    if (voices < 0) {
        return false;
    }
    count = static_cast<uint8_t>(voices);
    return true;
}

bool CSynthLinkDouble::GetSynthName(std::string& name) const
{
    name = synthName;
    return !synthName.empty();
}

void CSynthLinkDouble::Record(Path path, CMoleculePacket& packet)
{
    if (overflowNext && path != Path::Dump) {
        overflowNext = false;
        throw XMStreamOverflow();
    }
    Sent record{path, packet.GetSlot(), {}};
    for (const CMolecule* molecule : packet) {
        record.ids.push_back(IdOf(*molecule));
    }
    sent.push_back(std::move(record));
}

} // namespace testsupport
