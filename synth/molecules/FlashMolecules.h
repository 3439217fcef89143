#pragma once

#include "synth/protocol/FlashAddress.h"
#include "synth/molecules/Molecule.h"

#include <cstdint>
#include <string>
#include <vector>

// Molecules that load, store and delete flash patches, scan the flash for
// the names of the stored patches, report its usage and mark the patches of
// a flash dump.

// A flash command for one slot: the slot (above 3 sent as 3) and a flash
// address.
template <uint8_t kMoleculeId> class TMFlashSlotCommand : public CMolecule {
public:
    static constexpr uint8_t kId = kMoleculeId;

    TMFlashSlotCommand() = default;
    TMFlashSlotCommand(uint8_t slotIndex, CFlashAddress flashAddress) : slot(slotIndex), address(flashAddress) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;

    uint8_t slot = 0;
    CFlashAddress address;
};

// Load the stored patch into the slot.
class CMFlashLoadCommand : public TMFlashSlotCommand<0x0A> {
public:
    using TMFlashSlotCommand::TMFlashSlotCommand;
};

// Store the slot's patch.
class CMFlashStoreCommand : public TMFlashSlotCommand<0x0B> {
public:
    using TMFlashSlotCommand::TMFlashSlotCommand;
};

// A request naming one flash address.
template <uint8_t kMoleculeId> class TMFlashAddressRequest : public CMolecule {
public:
    static constexpr uint8_t kId = kMoleculeId;

    explicit TMFlashAddressRequest(CFlashAddress flashAddress = {}) : address(flashAddress) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;

    CFlashAddress address;
};

// batch: 1 when the bank transfer engine sends it, 0 for a single delete.
class CMFlashDeleteCommand : public CMolecule {
public:
    static constexpr uint8_t kId = 0x0C;

    CMFlashDeleteCommand() = default;
    CMFlashDeleteCommand(CFlashAddress flashAddress, uint8_t batchFlag) : address(flashAddress), batch(batchFlag) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;

    CFlashAddress address;
    uint8_t batch = 0;
};

// The synthesizer's answer to a flash command.
class CMFlashCommandResult : public CMolecule {
public:
    static constexpr uint8_t kId = 0x0D;
    // requester: whose command the result answers.
    enum : uint8_t { kRequesterSingle = 0, kRequesterBankTransfer = 1 };
    static constexpr uint8_t kMaxResult = 5;

    CMFlashCommandResult() = default;
    CMFlashCommandResult(CFlashAddress flashAddress, uint8_t requesterByte, uint8_t resultCode)
        : address(flashAddress), requester(requesterByte), result(resultCode)
    { }

    // The editor never sends it; Write serves a simulated synthesizer.
    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    CFlashAddress address;
    uint8_t requester = kRequesterSingle;
    uint8_t result = 0; // 0-5
};

// How much of the flash is used, 0-1000.
class CMFlashUsageDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x13;
    static constexpr uint16_t kMaxUsage = 1000;

    explicit CMFlashUsageDump(uint16_t flashUsage = 0) : usage(flashUsage) { }

    // The editor never sends it; Write serves a simulated synthesizer.
    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    uint16_t usage;
};

// Asks for the names of the stored patches from a scan position on.
class CMFlashDataRequest : public TMFlashAddressRequest<0x14> {
public:
    using TMFlashAddressRequest::TMFlashAddressRequest;
};

// A location was emptied.
class CMFlashDeleteDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x15;

    explicit CMFlashDeleteDump(CFlashAddress emptied = {}) : address(emptied) { }

    // The editor never sends it; Write serves a simulated synthesizer.
    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    CFlashAddress address;
};

struct CFlashDumpItem {
    CFlashAddress address;
    std::string name;
    bool operator==(const CFlashDumpItem&) const = default;
};

// The names of stored patches from a scan position on, as tagged items: 1
// sets the location, 2 steps it, 3 sets bank and location, 4 ends the dump
// at the end of the flash, 5 ends it with more to follow; any other byte
// starts a name, entered at the current place, which then steps on.
class CMFlashDataDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x16;
    enum : uint8_t { kTagLocation = 1, kTagStep = 2, kTagAddress = 3, kTagComplete = 4, kTagPartial = 5 };

    CMFlashDataDump() = default;

    // Writes the items with address tags only where an entry does not follow
    // its predecessor; the editor never sends it, Write serves a simulated
    // synthesizer.
    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    bool HasMore() const { return more_; }
    // The dump reached the end of the flash.
    bool IsComplete() const { return complete_; }
    void AddItem(CFlashAddress address, std::string name);
    const std::vector<CFlashDumpItem>& GetItems() const { return items_; }
    // Whether the dump said anything about a location: a name, a step over
    // an empty location or a jump.
    bool HasReported() const { return resumeIndex_ >= 0; }
    // The flash index (CFlashAddress::GetIndex) of the first location the
    // dump has not reported on: the one after its last name or stepped-over
    // location, or where its last jump pointed. -1 when it reported nothing.
    int GetResumeIndex() const { return resumeIndex_; }

private:
    bool more_ = true;
    bool complete_ = false;
    std::vector<CFlashDumpItem> items_;
    int resumeIndex_ = -1;
};

// Starts a flash dump at an address.
class CMFlashDumpRequest : public TMFlashAddressRequest<0x17> {
public:
    using TMFlashAddressRequest::TMFlashAddressRequest;
};

// Closes the dump of one flash position during a bank upload.
class CMFlashDumpMarker : public CMolecule {
public:
    static constexpr uint8_t kId = 0x18;
    // The codes on the wire.
    enum : uint8_t { kCodeDone = 0, kCodeProtect = 1, kCodePatch = 2, kCodeFull = 3, kCodeEmpty = 4 };
    // The kinds the editor keeps.
    enum : uint8_t { kKindDone = 1, kKindProtect = 2, kKindPatch = 3, kKindFull = 4, kKindEmpty = 5 };

    CMFlashDumpMarker() = default;
    CMFlashDumpMarker(uint8_t code, CFlashAddress flashAddress, std::string patchName = {});

    // The editor never sends it; Write serves a simulated synthesizer.
    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;
    // A patch follows this marker in the packet.
    bool AnnouncesPatch() const override { return kind == kKindPatch; }

    static uint8_t KindOfCode(uint8_t code);
    static uint8_t CodeOfKind(uint8_t kind);

    uint8_t kind = kKindDone;
    CFlashAddress address;
    std::string name; // only for kind 3
};
