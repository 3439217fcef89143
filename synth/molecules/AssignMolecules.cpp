#include "synth/molecules/AssignMolecules.h"

#include "synth/protocol/MIDIStream.h"
#include "synth/protocol/TextFunctions.h"
#include "synth/molecules/MoleculeFields.h"
#include "synth/molecules/PatchApplyInterface.h"
#include "synth/molecules/PatchFileWriterInterface.h"

#include <algorithm>

namespace {

// A map entry's parameter: 2 bits area, 7 bits module, 7 bits parameter.
void WriteMapAddress(CMIDIOutStream& stream, const ParamAddress& address)
{
    stream.WriteBits(2, static_cast<uint32_t>(address.location));
    stream.WriteBits(7, address.module);
    stream.WriteBits(7, address.param);
}

ParamAddress ReadMapAddress(CMIDIInStream& stream)
{
    ParamAddress address;
    address.location = ToAreaIndex(stream.ReadBits(2));
    address.module = stream.ReadBits(7);
    address.param = stream.ReadBits(7);
    return address;
}

} // namespace

// --- knob and controller assignments

void CMKnobAssign::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(address.module);
    stream.WriteAlignedByte(address.param);
    stream.WriteZeroBits(1);
    stream.WriteBits(2, static_cast<uint32_t>(address.location));
    stream.WriteBits(5, knob);
}

void CMKnobAssign::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    address.module = stream.ReadAlignedByte();
    address.param = stream.ReadAlignedByte();
    stream.SkipBits(1);
    address.location = ToAreaIndex(stream.ReadBits(2));
    knob = stream.ReadBits(5);
}

void CMKnobAssign::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyKnobAssign(*this);
}

void CMKnobDeassign::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteZeroBits(3);
    stream.WriteBits(5, knob);
}

void CMKnobDeassign::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    stream.SkipBits(3);
    knob = stream.ReadBits(5);
}

void CMKnobDeassign::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyKnobDeassign(*this);
}

void CMCtrlAssign::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(static_cast<uint8_t>(address.location));
    stream.WriteAlignedByte(address.module);
    stream.WriteAlignedByte(address.param);
    stream.WriteZeroBits(1);
    stream.WriteBits(7, controller);
}

void CMCtrlAssign::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    address.location = ReadAreaByte(stream);
    address.module = stream.ReadAlignedByte();
    address.param = stream.ReadAlignedByte();
    stream.SkipBits(1);
    controller = stream.ReadBits(7);
}

void CMCtrlAssign::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyCtrlAssign(*this);
}

void CMCtrlDeassign::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteZeroBits(1);
    stream.WriteBits(7, controller);
}

void CMCtrlDeassign::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    stream.SkipBits(1);
    controller = stream.ReadBits(7);
}

void CMCtrlDeassign::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyCtrlDeassign(*this);
}

// --- morph assignments

void CMMorphAssign::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteZeroBits(6);
    stream.WriteBit(removal == 0);
    stream.WriteBit(address.location == 1);
    stream.WriteAlignedByte(address.module);
    stream.WriteAlignedByte(address.param);
    stream.WriteAlignedByte(group);
    WriteMorphRange(stream, range);
}

void CMMorphAssign::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyMorphAssign(*this);
}

void CMMorphKeyboardAssign::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(group);
    stream.WriteAlignedByte(assignment);
}

void CMMorphKeyboardAssign::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyMorphKeyboardAssign(*this);
}

// --- controller map

bool CMCtrlMapDump::AddAssignment(ParamAddress address, uint8_t controller)
{
    if (entries_.size() >= kMaxEntries)
        return false;
    entries_.push_back({address, controller});
    return true;
}

void CMCtrlMapDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    stream.WriteBits(7, static_cast<uint32_t>(entries_.size()));
    for (const CCtrlMapEntry& entry : entries_) {
        stream.WriteBits(7, entry.controller);
        WriteMapAddress(stream, entry.address);
    }
}

void CMCtrlMapDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    const uint8_t count = stream.ReadBits(7);
    for (uint8_t i = 0; i < count; ++i) {
        CCtrlMapEntry entry;
        entry.controller = std::min(stream.ReadBits(7), kNoController);
        entry.address = ReadMapAddress(stream);
        entries_.push_back(entry);
    }
}

void CMCtrlMapDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyCtrlMapDump(*this);
}

void CMCtrlMapDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WriteCtrlMapDumpSection(*this);
}

// --- knob map

void CMKnobMapDump::SetAssignment(uint8_t knob, ParamAddress address)
{
    if (knob < kKnobCount)
        knobs_[knob] = address;
}

ParamAddress CMKnobMapDump::GetAssignment(uint8_t knob) const
{
    return IsAssigned(knob) ? knobs_[knob] : ParamAddress{0, 0, 0};
}

int CMKnobMapDump::CountAssigned() const
{
    return static_cast<int>(
        std::count_if(knobs_.begin(), knobs_.end(), [](const ParamAddress& a) { return a.module != 0; }));
}

void CMKnobMapDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    for (const ParamAddress& address : knobs_) {
        const bool assigned = address.module != 0;
        stream.WriteBit(assigned);
        if (assigned)
            WriteMapAddress(stream, address);
    }
}

void CMKnobMapDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    for (ParamAddress& address : knobs_)
        address = stream.ReadBit() ? ReadMapAddress(stream) : ParamAddress{0, 0, 0};
}

void CMKnobMapDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyKnobMapDump(*this);
}

void CMKnobMapDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WriteKnobMapDumpSection(*this);
}

// --- morph map

bool CMMorphMapDump::AddAssignment(ParamAddress address, uint8_t group, int32_t range)
{
    if (entries_.size() >= kMaxEntries || group >= kGroupCount)
        return false;
    entries_.push_back({address, group, static_cast<int8_t>(range)});
    return true;
}

void CMMorphMapDump::SetKeyboardAssignment(uint8_t group, uint8_t assignment)
{
    if (group < kGroupCount)
        keyboard_[group] = KeyboardAssignFromFile(assignment);
}

uint8_t CMMorphMapDump::GetKeyboardAssignment(uint8_t group) const
{
    return group < kGroupCount ? keyboard_[group] : 0;
}

void CMMorphMapDump::SetGroupValue(uint8_t group, uint8_t value)
{
    if (group < kGroupCount)
        values_[group] = std::min<uint8_t>(value, 127);
}

uint8_t CMMorphMapDump::GetGroupValue(uint8_t group) const
{
    return group < kGroupCount ? values_[group] : 0;
}

void CMMorphMapDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    for (const uint8_t value : values_)
        stream.WriteBits(7, value);
    for (const uint8_t assignment : keyboard_)
        stream.WriteBits(2, KeyboardAssignFromFile(assignment));
    stream.WriteBits(5, static_cast<uint32_t>(entries_.size()));
    for (const CMorphMapEntry& entry : entries_) {
        stream.WriteBit(entry.address.location == 1);
        stream.WriteBits(7, entry.address.module);
        stream.WriteBits(7, entry.address.param);
        stream.WriteBits(2, entry.group);
        stream.WriteSignedBits(8, entry.range);
    }
}

void CMMorphMapDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    for (uint8_t& value : values_)
        value = stream.ReadBits(7);
    for (uint8_t& assignment : keyboard_)
        assignment = KeyboardAssignFromFile(stream.ReadBits(2));
    const uint8_t count = stream.ReadBits(5);
    for (uint8_t i = 0; i < count; ++i) {
        CMorphMapEntry entry;
        entry.address.location = stream.ReadBit() ? 1 : 0;
        entry.address.module = stream.ReadBits(7);
        entry.address.param = stream.ReadBits(7);
        entry.group = stream.ReadBits(2);
        entry.range = stream.ReadSignedBits(8);
        entries_.push_back(entry);
    }
}

void CMMorphMapDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyMorphMapDump(*this);
}

void CMMorphMapDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WriteMorphMapDumpSection(*this);
}

// --- readers of the morph commands (the editor only sends them; a
// simulated synthesizer reads them)

void CMMorphAssign::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    stream.SkipBits(6);
    removal = stream.ReadBit() ? 0 : 1;
    address.location = stream.ReadBit() ? 1 : 0;
    address.module = stream.ReadAlignedByte();
    address.param = stream.ReadAlignedByte();
    group = stream.ReadAlignedByte();
    range = ReadMorphRange(stream);
}

void CMMorphKeyboardAssign::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    group = stream.ReadAlignedByte();
    assignment = stream.ReadAlignedByte();
}
