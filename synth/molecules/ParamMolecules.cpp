#include "synth/molecules/ParamMolecules.h"

#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/MoleculeFields.h"
#include "synth/molecules/PatchApplyInterface.h"

#include <algorithm>

namespace {

void WriteAddressBytes(CMIDIOutStream& stream, const ParamAddress& address)
{
    stream.WriteAlignedByte(static_cast<uint8_t>(address.location));
    stream.WriteAlignedByte(address.module);
    stream.WriteAlignedByte(address.param);
}

} // namespace

void CMParamChange::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindLive, 1);
    WriteAddressBytes(stream, address);
    stream.WriteAlignedByte(value);
}

void CMParamChange::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    address.location = ReadAreaByte(stream);
    address.module = stream.ReadAlignedByte();
    address.param = stream.ReadAlignedByte();
    value = stream.ReadAlignedByte();
}

void CMParamChange::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyParamChange(*this);
}

void CMMorphChange::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindLive, 1);
    WriteAddressBytes(stream, address);
    WriteMorphRange(stream, range);
}

void CMMorphChange::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    address.location = stream.ReadAlignedByte() != 0 ? 1 : 0;
    address.module = stream.ReadAlignedByte();
    address.param = stream.ReadAlignedByte();
    range = ReadMorphRange(stream);
}

void CMMorphChange::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyMorphChange(*this);
}

void CMCustomData::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    stream.WriteAlignedByte(area == 1 ? 1 : 0);
    stream.WriteAlignedByte(module);
    const size_t count = std::min<size_t>(data.size(), 255);
    stream.WriteAlignedByte(static_cast<uint8_t>(count));
    for (size_t i = 0; i < count; ++i)
        stream.WriteAlignedByte(data[i]);
}

void CMCustomData::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyCustomData(*this);
}

void CMParamFocusDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindLive, 1);
    stream.WriteAlignedByte(0);
    WriteAddressBytes(stream, address);
}

void CMParamFocusDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    present = stream.ReadAlignedByte() != 0;
    address.location = ReadAreaByte(stream);
    address.module = stream.ReadAlignedByte() & 0x7F;
    address.param = stream.ReadAlignedByte() & 0x7F;
}

void CMParamFocusDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyParamFocusDump(*this);
}

void CMCustomData::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    area = stream.ReadAlignedByte() == 1 ? 1 : 0;
    module = stream.ReadAlignedByte();
    data.resize(stream.ReadAlignedByte());
    for (uint8_t& byte : data)
        byte = stream.ReadAlignedByte();
}
