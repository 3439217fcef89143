#include "synth/molecules/FlashMolecules.h"

#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/MoleculeFields.h"
#include "synth/molecules/SynthHandlerInterface.h"

#include <algorithm>

namespace {

void WriteAddressBytes(CMIDIOutStream& stream, const CFlashAddress& address)
{
    stream.WriteAlignedByte(address.bank);
    stream.WriteAlignedByte(address.location);
}

CFlashAddress ReadClampedAddress(CMIDIInStream& stream)
{
    const uint8_t bank = stream.ReadAlignedByte();
    const uint8_t location = stream.ReadAlignedByte();
    return CFlashAddress::Clamped(bank, location);
}

uint8_t NextLocation(uint8_t location)
{
    return location < CFlashAddress::kMaxLocation ? static_cast<uint8_t>(location + 1) : location;
}

} // namespace

// --- commands

void CMFlashDeleteCommand::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    WriteAddressBytes(stream, address);
    stream.WriteAlignedByte(batch);
}

void CMFlashCommandResult::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    WriteAddressBytes(stream, address);
    stream.WriteAlignedByte(requester);
    stream.WriteAlignedByte(result);
}

void CMFlashCommandResult::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    address = ReadClampedAddress(stream);
    requester = stream.ReadAlignedByte() == kRequesterBankTransfer ? kRequesterBankTransfer : kRequesterSingle;
    const uint8_t code = stream.ReadAlignedByte();
    result = code <= kMaxResult ? code : 3;
}

// --- usage

void CMFlashUsageDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(static_cast<uint8_t>(usage & 0x7F));
    stream.WriteAlignedByte(static_cast<uint8_t>((usage >> 7) & 0x7F));
}

void CMFlashUsageDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    const uint16_t low = stream.ReadAlignedByte() & 0x7F;
    const uint16_t high = stream.ReadAlignedByte() & 0x7F;
    usage = std::min<uint16_t>(static_cast<uint16_t>(high << 7 | low), kMaxUsage);
}

// --- scan

void CMFlashDeleteDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    WriteAddressBytes(stream, address);
}

void CMFlashDeleteDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    address = ReadClampedAddress(stream);
}

void CMFlashDataDump::AddItem(CFlashAddress address, std::string name)
{
    items_.push_back({address, std::move(name)});
    resumeIndex_ = address.GetIndex() + 1;
}

void CMFlashDataDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(more_ ? 1 : 0);
    CFlashAddress current;
    for (const CFlashDumpItem& item : items_) {
        if (item.address.bank != current.bank) {
            stream.WriteAlignedByte(kTagAddress);
            WriteAddressBytes(stream, item.address);
        } else if (item.address.location != current.location) {
            stream.WriteAlignedByte(kTagLocation);
            stream.WriteAlignedByte(item.address.location);
        }
        stream.WriteString(item.name, kText16);
        current = {item.address.bank, NextLocation(item.address.location)};
    }
    stream.WriteAlignedByte(complete_ ? kTagComplete : kTagPartial);
}

void CMFlashDataDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    more_ = stream.ReadAlignedByte() != 0;
    CFlashAddress current;
    for (;;) {
        const uint8_t tag = stream.ReadAlignedByte();
        switch (tag) {
        case kTagLocation:
            current.location = CFlashAddress::ClampLocation(stream.ReadAlignedByte());
            resumeIndex_ = current.GetIndex();
            break;
        case kTagStep:
            resumeIndex_ = current.GetIndex() + 1;
            current.location = NextLocation(current.location);
            break;
        case kTagAddress:
            current = ReadClampedAddress(stream);
            resumeIndex_ = current.GetIndex();
            break;
        case kTagComplete:
        case kTagPartial:
            complete_ = tag == kTagComplete;
            return;
        default:
            stream.Unread(8);
            AddItem(current, stream.ReadString(kText16));
            current.location = NextLocation(current.location);
            break;
        }
    }
}

// --- dump marker

CMFlashDumpMarker::CMFlashDumpMarker(uint8_t code, CFlashAddress flashAddress, std::string patchName)
    : kind(KindOfCode(code)), address(flashAddress), name(kind == kKindPatch ? std::move(patchName) : std::string())
{ }

uint8_t CMFlashDumpMarker::KindOfCode(uint8_t code)
{
    switch (code) {
    case kCodeDone:
        return kKindDone;
    case kCodeProtect:
        return kKindProtect;
    case kCodePatch:
        return kKindPatch;
    case kCodeFull:
        return kKindFull;
    case kCodeEmpty:
        return kKindEmpty;
    default:
        return kKindProtect;
    }
}

uint8_t CMFlashDumpMarker::CodeOfKind(uint8_t markerKind)
{
    if (markerKind < kKindDone || markerKind > kKindEmpty)
        return kCodeProtect;
    return static_cast<uint8_t>(markerKind - 1);
}

void CMFlashDumpMarker::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(CodeOfKind(kind));
    WriteAddressBytes(stream, address);
    if (kind == kKindPatch)
        stream.WriteString(name, kText16);
}

void CMFlashDumpMarker::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    const uint8_t code = stream.ReadAlignedByte();
    kind = KindOfCode(code);
    address = ReadClampedAddress(stream);
    name = code == kCodePatch ? stream.ReadString(kText16) : std::string();
}

// --- commands and requests (the editor sends them; a simulated
// synthesizer reads them)

template <uint8_t kMoleculeId> void TMFlashSlotCommand<kMoleculeId>::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(slot > 3 ? 3 : slot);
    WriteAddressBytes(stream, address);
}

template <uint8_t kMoleculeId> void TMFlashSlotCommand<kMoleculeId>::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    const uint8_t slotByte = stream.ReadAlignedByte();
    slot = slotByte > 3 ? 3 : slotByte;
    address = ReadClampedAddress(stream);
}

template class TMFlashSlotCommand<CMFlashLoadCommand::kId>;
template class TMFlashSlotCommand<CMFlashStoreCommand::kId>;

template <uint8_t kMoleculeId> void TMFlashAddressRequest<kMoleculeId>::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindRequest, 1);
    WriteAddressBytes(stream, address);
}

template <uint8_t kMoleculeId> void TMFlashAddressRequest<kMoleculeId>::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    address = ReadClampedAddress(stream);
}

template class TMFlashAddressRequest<CMFlashDataRequest::kId>;
template class TMFlashAddressRequest<CMFlashDumpRequest::kId>;

void CMFlashDeleteCommand::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    address = ReadClampedAddress(stream);
    batch = stream.ReadAlignedByte();
}

// --- handled by the synthesizer object

void CMFlashCommandResult::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnFlashCommandResult(*this);
}

void CMFlashUsageDump::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnFlashUsageDump(*this);
}

void CMFlashDeleteDump::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnFlashDeleteDump(*this);
}

void CMFlashDataDump::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnFlashDataDump(*this);
}

void CMFlashDumpMarker::Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const
{
    synth.OnFlashDumpMarker(*this, packet);
}
