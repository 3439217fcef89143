#include "synth/molecules/PatchMolecules.h"

#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/MoleculeFields.h"
#include "synth/molecules/PatchApplyInterface.h"
#include "synth/molecules/PatchFileWriterInterface.h"

#include <algorithm>

namespace {

CNoteEntry Limited(const CNoteEntry& entry)
{
    CNoteEntry limited;
    std::ranges::transform(entry, limited.begin(), [](uint8_t v) { return std::min<uint8_t>(v, 127); });
    return limited;
}

void WriteNoteEntry(CMIDIOutStream& stream, const CNoteEntry& entry)
{
    for (const uint8_t value : entry)
        stream.WriteBits(7, value);
}

CNoteEntry ReadNoteEntry(CMIDIInStream& stream)
{
    CNoteEntry entry;
    for (uint8_t& value : entry)
        value = stream.ReadBits(7);
    return entry;
}

} // namespace

// --- header

void CMPatchHeaderDump::Write(CMIDIOutStream& stream) const
{
    const CPatchHeader& h = header_;
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    stream.WriteBits(7, h.GetKbRangeMin());
    stream.WriteBits(7, h.GetKbRangeMax());
    stream.WriteBits(7, h.GetVelRangeMin());
    stream.WriteBits(7, h.GetVelRangeMax());
    stream.WriteBits(5, h.GetBendRange());
    stream.WriteBits(7, h.GetPMTime());
    stream.WriteBit(h.GetPMMode() != 0);
    stream.WriteBit(h.GetPedalMode() == CPatchHeader::kPedalSustain);
    stream.WriteBits(5, h.GetVoices() - 1u);
    const auto split = static_cast<uint32_t>(h.GetSplitPosition());
    stream.WriteBits(7, split >> 7);
    stream.WriteBits(7, split & 0x7F);
    stream.WriteBits(3, static_cast<uint32_t>(h.GetOctShift() + 2));
    for (uint32_t colour = 0; colour < CPatchHeader::kCableColourCount; ++colour)
        stream.WriteBit(h.GetCableVisible(colour) != 0);
    stream.WriteBit(h.GetCommonRetrig() != 0);
    stream.WriteBit(h.GetRetrig() != 0);
    for (uint32_t group = 0; group < CPatchHeader::kMorphCount; ++group)
        stream.WriteBit(h.GetMorph(group) != 0);
}

void CMPatchHeaderDump::Read(CMIDIInStream& stream)
{
    CPatchHeader& h = header_;
    stream.ReadMoleculeId();
    h.SetKbRangeMin(stream.ReadBits(7));
    h.SetKbRangeMax(stream.ReadBits(7));
    h.SetVelRangeMin(stream.ReadBits(7));
    h.SetVelRangeMax(stream.ReadBits(7));
    h.SetBendRange(stream.ReadBits(5));
    h.SetPMTime(stream.ReadBits(7));
    h.SetPMMode(stream.ReadBit() ? 1 : 0);
    h.SetPedalMode(!stream.ReadBit());
    h.SetVoices(stream.ReadBits(5) + 1);
    const int32_t high = stream.ReadBits(7);
    const int32_t low = stream.ReadBits(7);
    h.SetSplitPosition(high << 7 | low);
    h.SetOctShift(static_cast<int32_t>(stream.ReadBits(3)) - 2);
    for (uint32_t colour = 0; colour < CPatchHeader::kCableColourCount; ++colour)
        h.SetCableVisible(colour, stream.ReadBit() ? 1 : 0);
    h.SetCommonRetrig(stream.ReadBit() ? 1 : 0);
    h.SetRetrig(stream.ReadBit() ? 1 : 0);
    for (uint32_t group = 0; group < CPatchHeader::kMorphCount; ++group)
        h.SetMorph(group, stream.ReadBit() ? 1 : 0);
}

void CMPatchHeaderDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyPatchHeaderDump(*this);
}

void CMPatchHeaderDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WritePatchHeaderSection(*this);
}

// --- name

void CMPatchNameDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteString(name, kText16);
}

void CMPatchNameDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    name = stream.ReadString(kText16);
}

void CMPatchNameDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyPatchNameDump(*this);
}

// --- current notes

CMCurrentNotesDump::CMCurrentNotesDump() : first_{64, 0, 0}
{
    entries_.fill(first_);
}

void CMCurrentNotesDump::SetFirstEntry(const CNoteEntry& entry)
{
    first_ = Limited(entry);
}

void CMCurrentNotesDump::SetEntry(uint8_t index, const CNoteEntry& entry)
{
    if (index < kMaxEntries)
        entries_[index] = Limited(entry);
}

void CMCurrentNotesDump::SetCount(uint8_t count)
{
    count_ = std::min(count, kMaxEntries);
}

void CMCurrentNotesDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    WriteNoteEntry(stream, first_);
    const uint8_t count = std::max<uint8_t>(count_, 1);
    stream.WriteBits(5, count - 1u);
    for (uint8_t i = 0; i < count; ++i)
        WriteNoteEntry(stream, entries_[i]);
}

void CMCurrentNotesDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    first_ = ReadNoteEntry(stream);
    count_ = static_cast<uint8_t>(stream.ReadBits(5) + 1);
    for (uint8_t i = 0; i < count_; ++i)
        entries_[i] = ReadNoteEntry(stream);
}

void CMCurrentNotesDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyCurrentNotesDump(*this);
}

void CMCurrentNotesDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WriteCurrentNoteDumpSection(*this);
}
