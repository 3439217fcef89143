#pragma once

#include "synth/molecules/Molecule.h"
#include "synth/protocol/SlotSelection.h"
#include "synth/protocol/SynthSettings.h"
#include "synth/protocol/VoiceCounts.h"
#include "synth/molecules/SimpleMolecules.h"

#include <cstdint>
#include <string>

// Molecules about the synthesizer as a whole: its settings, voices, active
// and focused slots, session numbers, where dumps go, and a played note.

class CMSynthDataRequest : public TMIdOnly<0x02, CMIDIOutStream::kKindRequest, 1> { };
class CMNumberOfVoicesRequest : public TMIdOnly<0x04, CMIDIOutStream::kKindRequest, 1> { };
class CMSlotSelectionRequest : public TMIdOnly<0x06, CMIDIOutStream::kKindRequest, 1> { };
class CMSlotFocusRequest : public TMIdOnly<0x08, CMIDIOutStream::kKindRequest, 1> { };
// Asks for the session number of the packet's slot.
class CMSessionNumberRequest : public TMIdOnly<0x35, CMIDIOutStream::kKindRequest, 1> { };

class CMSynthDataDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x03;

    CMSynthDataDump() = default;
    explicit CMSynthDataDump(const CSynthSettings& settings) : settings_(settings) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    const CSynthSettings& GetSettings() const { return settings_; }

private:
    CSynthSettings settings_;
};

class CMNumberOfVoicesDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x05;

    CMNumberOfVoicesDump() = default;
    explicit CMNumberOfVoicesDump(const CVoiceCounts& voices) : voices_(voices) { }

    // The editor never sends it; Write serves a simulated synthesizer.
    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    const CVoiceCounts& GetVoiceCounts() const { return voices_; }

private:
    CVoiceCounts voices_;
};

class CMSlotSelectionDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x07;

    CMSlotSelectionDump() = default;
    explicit CMSlotSelectionDump(const CSlotSelection& selection) : selection_(selection) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    const CSlotSelection& GetSelection() const { return selection_; }

private:
    CSlotSelection selection_;
};

// The focused slot, 0-3, or 4 for none.
class CMSlotFocusDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x09;

    // Values above 4 are stored as 4.
    explicit CMSlotFocusDump(uint8_t focusSlot = CSlotSelection::kNoSlot);

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    uint8_t GetSlot() const { return slot_; }

private:
    uint8_t slot_;
};

// Session numbers are 6 bits: byte 4 of a frame reads 0x40 and above as "no
// number", so readers keep the low 6 bits.
inline constexpr uint8_t kSessionNumberMask = 0x3F;

class CMSessionNumberDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x36;

    explicit CMSessionNumberDump(uint8_t sessionNumber = 0) : number(sessionNumber & kSessionNumberMask) { }

    // The editor never sends it; Write serves a simulated synthesizer.
    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    uint8_t number;
};

// The synthesizer gave a slot a new patch and number.
class CMSessionPatchRelease : public CMolecule {
public:
    static constexpr uint8_t kId = 0x38;

    CMSessionPatchRelease() = default;
    CMSessionPatchRelease(uint8_t slotIndex, uint8_t sessionNumber)
        : slot(slotIndex > 3 ? 3 : slotIndex), number(sessionNumber & kSessionNumberMask)
    { }

    // The editor never sends it; Write serves a simulated synthesizer.
    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const override;

    uint8_t slot = 0;
    uint8_t number = 0;
};

// Where the synthesizer puts the patch dump that precedes it: flag 1 stores
// it at the flash address (bank transfer), 0 keeps it in the slot.
class CMDumpBubbleDestination : public CMolecule {
public:
    static constexpr uint8_t kId = 0x37;

    CMDumpBubbleDestination() = default;
    CMDumpBubbleDestination(uint8_t storeFlag, uint8_t flashBank, uint8_t flashLocation, std::string patchName)
        : flag(storeFlag), bank(flashBank), location(flashLocation), name(std::move(patchName))
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;

    uint8_t flag = 0;
    uint8_t bank = 0;
    uint8_t location = 0;
    std::string name;
};

class CMPlayNote : public CMolecule {
public:
    static constexpr uint8_t kId = 0x56;
    enum : uint8_t { kNoteOn = 0, kNoteOff = 1 };

    CMPlayNote() = default;
    CMPlayNote(uint8_t noteState, uint8_t noteNumber) : state(noteState), note(noteNumber) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;

    uint8_t state = kNoteOn;
    uint8_t note = 60;
};
