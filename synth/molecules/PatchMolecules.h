#pragma once

#include "synth/molecules/Molecule.h"
#include "synth/protocol/PatchHeader.h"
#include "synth/molecules/SimpleMolecules.h"

#include <array>
#include <cstdint>
#include <string>

// The patch's header, name and current notes, their requests, and the two
// content-free commands.

class CMPatchHeaderRequest : public TMIdOnly<0x20, CMIDIOutStream::kKindRequest, 1> { };
class CMPatchNameRequest : public TMIdOnly<0x28, CMIDIOutStream::kKindPlain, 1> { };
class CMCurrentNotesRequest : public TMIdOnly<0x68, CMIDIOutStream::kKindPlain, 1> { };
class CMSendCtrlSnap : public TMIdOnly<0x55, CMIDIOutStream::kKindPlain, 1> { };
class CMFlushBlink : public TMIdOnly<0x70, CMIDIOutStream::kKindPlain, 1> { };

// The header record in 77 bits. Reading hands every field to the record's
// setters, which keep it in range.
class CMPatchHeaderDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x21;

    CMPatchHeaderDump() = default;
    explicit CMPatchHeaderDump(const CPatchHeader& header) : header_(header) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    const CPatchHeader& GetHeader() const { return header_; }
    CPatchHeader& GetHeader() { return header_; }

private:
    CPatchHeader header_;
};

class CMPatchNameDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x27;

    CMPatchNameDump() = default;
    explicit CMPatchNameDump(std::string patchName) : name(std::move(patchName)) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    std::string name;
};

// Three values the editor keeps for the synthesizer without reading them.
using CNoteEntry = std::array<uint8_t, 3>;

// The current notes: a first entry, then 1 to 32 further entries. A fresh
// dump holds 64, 0, 0 in the first entry and in all 32 others, and a count
// of 1.
class CMCurrentNotesDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x69;
    static constexpr uint8_t kMaxEntries = 32;

    CMCurrentNotesDump();

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    // Values are kept at most 127.
    void SetFirstEntry(const CNoteEntry& entry);
    const CNoteEntry& GetFirstEntry() const { return first_; }
    // Entries from 32 on are ignored.
    void SetEntry(uint8_t index, const CNoteEntry& entry);
    const CNoteEntry& GetEntry(uint8_t index) const { return entries_.at(index); }
    // 0 to 32; a list is sent with at least one entry.
    void SetCount(uint8_t count);
    uint8_t GetCount() const { return count_; }

private:
    CNoteEntry first_;
    uint8_t count_ = 1;
    std::array<CNoteEntry, kMaxEntries> entries_{};
};
