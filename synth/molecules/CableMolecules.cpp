#include "synth/molecules/CableMolecules.h"

#include "synth/protocol/MIDIStream.h"
#include "synth/protocol/TextFunctions.h"
#include "synth/molecules/MoleculeFields.h"
#include "synth/molecules/PatchApplyInterface.h"
#include "synth/molecules/PatchFileWriterInterface.h"

#include <utility>

void CMCableConnect::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteZeroBits(3);
    stream.WriteBit(removal == 0);
    stream.WriteBit(area == 1);
    stream.WriteBits(3, colour);
    WriteCableEndBytes(stream, end1);
    WriteCableEndBytes(stream, end2);
}

void CMCableConnect::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyCableConnect(*this);
}

void CMCableDelete::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteZeroBits(6);
    stream.WriteBit(removal == 0);
    stream.WriteBit(area == 1);
    WriteCableEndBytes(stream, end1);
    WriteCableEndBytes(stream, end2);
}

void CMCableDelete::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyCableDelete(*this);
}

void CMCableRecolor::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteZeroBits(4);
    stream.WriteBit(area == 1);
    stream.WriteBits(3, colour);
    WriteCableEndBytes(stream, end1);
    WriteCableEndBytes(stream, end2);
}

void CMCableRecolor::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyCableRecolor(*this);
}

bool CMCableDump::AddCable(uint8_t colour, JackAddress end1, JackAddress end2)
{
    if (cables_.size() >= kMaxCables)
        return false;
    cables_.push_back({colour, end1, end2});
    return true;
}

void CMCableDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    stream.WriteBit(area_ == 1);
    stream.WriteAlignedByte(static_cast<uint8_t>(cables_.size()));
    for (const CCableDumpEntry& cable : cables_) {
        JackAddress first = cable.end1;
        JackAddress second = cable.end2;
        if (!first.IsOutput() && second.IsOutput())
            std::swap(first, second);
        stream.WriteBits(3, cable.colour);
        stream.WriteBits(7, first.module);
        stream.WriteBits(6, first.jack);
        stream.WriteBit(first.IsOutput());
        stream.WriteBits(7, second.module);
        stream.WriteBits(6, second.jack);
    }
}

void CMCableDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    area_ = stream.ReadBit() ? 1 : 0;
    const uint8_t count = stream.ReadAlignedByte();
    for (uint8_t i = 0; i < count; ++i) {
        CCableDumpEntry cable;
        cable.colour = ClampCableColor(stream.ReadBits(3));
        cable.end1.module = stream.ReadBits(7);
        cable.end1.jack = stream.ReadBits(6);
        cable.end1.direction = stream.ReadBit() ? 1 : 0;
        cable.end2.module = stream.ReadBits(7);
        cable.end2.jack = stream.ReadBits(6);
        cable.end2.direction = 0;
        cables_.push_back(cable);
    }
}

void CMCableDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyCableDump(*this);
}

void CMCableDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WriteCableDumpSection(*this);
}

// --- readers of the commands (the editor only sends them; a simulated
// synthesizer reads them)

namespace {

JackAddress ReadCableEnd(CMIDIInStream& stream)
{
    JackAddress jack;
    jack.module = stream.ReadAlignedByte();
    const uint8_t jackByte = stream.ReadAlignedByte();
    jack.jack = jackByte & 0x3F;
    jack.direction = (jackByte & 0x40) != 0 ? 1 : 0;
    return jack;
}

void ReadCableEnds(CMIDIInStream& stream, CMCableABC& cable)
{
    cable.end1 = ReadCableEnd(stream);
    cable.end2 = ReadCableEnd(stream);
}

} // namespace

void CMCableConnect::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    stream.SkipBits(3);
    removal = stream.ReadBit() ? 0 : 1;
    area = stream.ReadBit() ? 1 : 0;
    colour = ClampCableColor(stream.ReadBits(3));
    ReadCableEnds(stream, *this);
}

void CMCableDelete::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    stream.SkipBits(6);
    removal = stream.ReadBit() ? 0 : 1;
    area = stream.ReadBit() ? 1 : 0;
    ReadCableEnds(stream, *this);
}

void CMCableRecolor::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    stream.SkipBits(4);
    area = stream.ReadBit() ? 1 : 0;
    colour = ClampCableColor(stream.ReadBits(3));
    ReadCableEnds(stream, *this);
}
