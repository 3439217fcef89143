#include "synth/molecules/SynthMolecules.h"

#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/MoleculeFields.h"
#include "synth/molecules/SynthHandlerInterface.h"

namespace {

constexpr uint8_t kInactiveChannel = 0x10;

} // namespace

// --- settings

void CMSynthDataDump::Write(CMIDIOutStream& stream) const
{
    const CSynthSettings& s = settings_;
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    stream.WriteBit(s.GetInternalClock() != 0);
    stream.WriteBits(7, s.GetVelocityMin());
    stream.WriteBit(s.GetLedsActive() != 0);
    stream.WriteBits(7, s.GetVelocityMax());
    stream.WriteAlignedByte(static_cast<uint8_t>(s.GetClockRate()));
    stream.WriteBit(s.GetLocalOn() != 0);
    stream.WriteBit(s.GetKeyboardMode() != 0);
    stream.WriteBit(s.GetPedalPolarity() != 0);
    stream.WriteBits(5, s.GetGlobalSync() - 1u);
    stream.WriteAlignedByte(static_cast<uint8_t>(s.GetMasterTune()));
    stream.WriteBit(s.GetProgramChangeReceive() != 0);
    stream.WriteBit(s.GetProgramChangeSend() != 0);
    stream.WriteBit(s.GetKnobMode() != 0);
    stream.WriteString(s.GetName(), kText16);
    for (int slot = 0; slot < CSynthSettings::kSlotCount; ++slot) {
        stream.WriteAlignedByte(s.GetSlotActive(slot) != 0 ? s.GetSlotChannel(slot) : kInactiveChannel);
        for (int i = 0; i < CSynthSettings::kSlotValueCount; ++i)
            stream.WriteBits(2, s.GetSlotValue(slot, i));
    }
}

void CMSynthDataDump::Read(CMIDIInStream& stream)
{
    CSynthSettings& s = settings_;
    stream.ReadMoleculeId();
    s.SetInternalClock(stream.ReadBit() ? 1 : 0);
    s.SetVelocityMin(stream.ReadBits(7));
    s.SetLedsActive(stream.ReadBit() ? 1 : 0);
    s.SetVelocityMax(stream.ReadBits(7));
    s.SetClockRate(stream.ReadAlignedByte());
    s.SetLocalOn(stream.ReadBit() ? 1 : 0);
    s.SetKeyboardMode(stream.ReadBit() ? 1 : 0);
    s.SetPedalPolarity(stream.ReadBit() ? 1 : 0);
    s.SetGlobalSync(stream.ReadBits(5) + 1);
    s.SetMasterTune(static_cast<int8_t>(stream.ReadAlignedByte()));
    s.SetProgramChangeReceive(stream.ReadBit() ? 1 : 0);
    s.SetProgramChangeSend(stream.ReadBit() ? 1 : 0);
    s.SetKnobMode(stream.ReadBit() ? 1 : 0);
    s.SetName(stream.ReadString(kText16));
    for (int slot = 0; slot < CSynthSettings::kSlotCount; ++slot) {
        const uint8_t channel = stream.ReadAlignedByte();
        const bool active = channel <= 15;
        s.SetSlotActive(slot, active ? 1 : 0);
        s.SetSlotChannel(slot, active ? channel : 0);
        for (int i = 0; i < CSynthSettings::kSlotValueCount; ++i)
            s.SetSlotValue(slot, i, stream.ReadBits(2));
    }
}

// --- voices

void CMNumberOfVoicesDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    for (uint8_t slot = 0; slot < CVoiceCounts::kMaxSlots; ++slot)
        stream.WriteAlignedByte(voices_.GetVoices(slot));
}

void CMNumberOfVoicesDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    for (uint8_t slot = 0; slot < CVoiceCounts::kMaxSlots; ++slot)
        voices_.SetVoices(slot, stream.ReadAlignedByte());
}

// --- slot selection and focus

void CMSlotSelectionDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteZeroBits(4);
    for (uint8_t slot = 0; slot < CSlotSelection::kMaxSlots; ++slot)
        stream.WriteBit(slot < selection_.GetSlotCount() && selection_.IsActive(slot));
}

void CMSlotSelectionDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    stream.SkipBits(4);
    selection_ = CSlotSelection(CSlotSelection::kMaxSlots);
    for (uint8_t slot = 0; slot < CSlotSelection::kMaxSlots; ++slot)
        selection_.SetActive(slot, stream.ReadBit());
}

CMSlotFocusDump::CMSlotFocusDump(uint8_t focusSlot)
    : slot_(focusSlot > CSlotSelection::kNoSlot ? CSlotSelection::kNoSlot : focusSlot)
{ }

void CMSlotFocusDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindRequest, 1);
    stream.WriteZeroBits(5);
    const bool none = slot_ >= CSlotSelection::kNoSlot;
    stream.WriteBit(none);
    stream.WriteBits(2, none ? 0 : slot_);
}

void CMSlotFocusDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    stream.SkipBits(5);
    if (stream.ReadBit()) {
        stream.SkipBits(2); // the padding of the byte
        slot_ = CSlotSelection::kNoSlot;
    } else {
        slot_ = stream.ReadBits(2);
    }
}

// --- session numbers

void CMSessionNumberDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(number);
}

void CMSessionNumberDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    number = stream.ReadAlignedByte() & kSessionNumberMask;
}

void CMSessionPatchRelease::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(slot);
    stream.WriteAlignedByte(number);
}

void CMSessionPatchRelease::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    const uint8_t slotByte = stream.ReadAlignedByte();
    slot = slotByte > 3 ? 3 : slotByte;
    number = stream.ReadAlignedByte() & kSessionNumberMask;
}

// --- dump destination and notes

void CMDumpBubbleDestination::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindRequest, 1);
    stream.WriteAlignedByte(flag);
    stream.WriteAlignedByte(bank);
    stream.WriteAlignedByte(location);
    stream.WriteString(name, kText16);
}

void CMPlayNote::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(state);
    stream.WriteAlignedByte(note);
}

void CMDumpBubbleDestination::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    flag = stream.ReadAlignedByte();
    bank = stream.ReadAlignedByte();
    location = stream.ReadAlignedByte();
    name = stream.ReadString(kText16);
}

void CMPlayNote::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    state = stream.ReadAlignedByte();
    note = stream.ReadAlignedByte();
}

// --- handled by the synthesizer object

void CMSynthDataDump::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnSynthSettings(*this);
}

void CMNumberOfVoicesDump::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnVoiceCounts(*this);
}

void CMSlotSelectionDump::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnSlotSelection(*this);
}

void CMSlotFocusDump::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnSlotFocus(*this);
}

void CMSessionNumberDump::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnSessionNumber(*this, packet);
}

void CMSessionPatchRelease::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnPatchRelease(*this);
}
