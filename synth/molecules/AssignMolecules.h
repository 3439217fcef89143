#pragma once

#include "synth/molecules/Molecule.h"
#include "synth/protocol/ParamAddress.h"
#include "synth/molecules/SimpleMolecules.h"

#include <array>
#include <cstdint>
#include <vector>

// Molecules that assign parameters to knobs, MIDI controllers and morph
// groups, and the dumps of the three assignment maps.

class CMKnobAssign : public CMolecule {
public:
    static constexpr uint8_t kId = 0x25;

    CMKnobAssign() = default;
    CMKnobAssign(ParamAddress param, uint8_t knobNumber) : address(param), knob(knobNumber) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    ParamAddress address{0, 0, 0};
    uint8_t knob = 0;
};

class CMKnobDeassign : public CMolecule {
public:
    static constexpr uint8_t kId = 0x26;

    explicit CMKnobDeassign(uint8_t knobNumber = 0) : knob(knobNumber) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    uint8_t knob;
};

class CMCtrlAssign : public CMolecule {
public:
    static constexpr uint8_t kId = 0x22;

    CMCtrlAssign() = default;
    CMCtrlAssign(ParamAddress param, uint8_t controllerNumber) : address(param), controller(controllerNumber) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    ParamAddress address{0, 0, 0};
    uint8_t controller = 0;
};

class CMCtrlDeassign : public CMolecule {
public:
    static constexpr uint8_t kId = 0x23;

    explicit CMCtrlDeassign(uint8_t controllerNumber = 0) : controller(controllerNumber) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    uint8_t controller;
};

// group 4 removes the parameter's assignment. removal: 1 when the molecule
// belongs to deleting modules.
class CMMorphAssign : public CMolecule {
public:
    static constexpr uint8_t kId = 0x64;
    static constexpr uint8_t kNoGroup = 4;

    CMMorphAssign() = default;
    CMMorphAssign(ParamAddress param, uint8_t morphGroup, int32_t morphRange, uint32_t removalFlag)
        : address(param), group(morphGroup), range(morphRange), removal(removalFlag)
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    ParamAddress address{0, 0, 0};
    uint8_t group = kNoGroup;
    int32_t range = 0;
    uint32_t removal = 0;
};

// assignment: 0 none, 1 velocity, 2 note.
class CMMorphKeyboardAssign : public CMolecule {
public:
    static constexpr uint8_t kId = 0x67;

    CMMorphKeyboardAssign() = default;
    CMMorphKeyboardAssign(uint8_t morphGroup, uint8_t keyboardAssignment)
        : group(morphGroup), assignment(keyboardAssignment)
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    uint8_t group = 0;
    uint8_t assignment = 0;
};

class CMCtrlMapRequest : public TMIdOnly<0x61, CMIDIOutStream::kKindRequest, 1> { };
class CMKnobMapRequest : public TMIdOnly<0x63, CMIDIOutStream::kKindRequest, 1> { };
class CMMorphMapRequest : public TMIdOnly<0x66, CMIDIOutStream::kKindRequest, 1> { };

struct CCtrlMapEntry {
    ParamAddress address;
    uint8_t controller = 0;
    bool operator==(const CCtrlMapEntry&) const = default;
};

class CMCtrlMapDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x60;
    static constexpr uint8_t kNoController = 121;
    static constexpr size_t kMaxEntries = 127;

    CMCtrlMapDump() = default;

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    // False once 127 entries are held (the count travels in 7 bits).
    bool AddAssignment(ParamAddress address, uint8_t controller);
    const std::vector<CCtrlMapEntry>& GetEntries() const { return entries_; }

private:
    std::vector<CCtrlMapEntry> entries_;
};

// One entry per knob in knob order: 0-17 the panel knobs, 19 the pedal, 20
// aftertouch, 22 the on/off switch (18 and 21 travel unchanged). An entry
// whose module index is 0 is not assigned.
class CMKnobMapDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x62;
    static constexpr uint8_t kKnobCount = 23;
    static constexpr uint8_t kNoKnob = 23;

    CMKnobMapDump() { knobs_.fill(ParamAddress{0, 0, 0}); }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    // Knobs from 23 on are ignored.
    void SetAssignment(uint8_t knob, ParamAddress address);
    bool IsAssigned(uint8_t knob) const { return knob < kKnobCount && knobs_[knob].module != 0; }
    // {0, 0, 0} for a knob that is not assigned.
    ParamAddress GetAssignment(uint8_t knob) const;
    int CountAssigned() const;

private:
    std::array<ParamAddress, kKnobCount> knobs_;
};

struct CMorphMapEntry {
    ParamAddress address;
    uint8_t group = 0; // 0-3
    int8_t range = 0;
    bool operator==(const CMorphMapEntry&) const = default;
};

// The morph assignments with the four groups' values and keyboard
// assignments (0 none, 1 velocity, 2 note).
class CMMorphMapDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x65;
    static constexpr uint8_t kGroupCount = 4;
    // The count travels in 5 bits.
    static constexpr size_t kMaxEntries = 31;

    CMMorphMapDump() = default;

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    // False once 31 entries are held or for a group other than 0-3. The
    // range keeps its low 8 bits as a signed value.
    bool AddAssignment(ParamAddress address, uint8_t group, int32_t range);
    const std::vector<CMorphMapEntry>& GetEntries() const { return entries_; }
    // Groups from 4 on (none) are ignored by the setters.
    void SetKeyboardAssignment(uint8_t group, uint8_t assignment);
    uint8_t GetKeyboardAssignment(uint8_t group) const;
    void SetGroupValue(uint8_t group, uint8_t value);
    uint8_t GetGroupValue(uint8_t group) const;

private:
    std::vector<CMorphMapEntry> entries_;
    std::array<uint8_t, kGroupCount> keyboard_{};
    std::array<uint8_t, kGroupCount> values_{};
};
