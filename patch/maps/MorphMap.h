#pragma once

#include "synth/protocol/ParamAddress.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

class CEditPair;
class CMapHostInterface;
class CMMorphMapDump;

// Parameters assigned to the four morph groups, each with its range, and
// per group a keyboard assignment (0 none, 1 velocity, 2 note) and the
// position of its morph knob.
class CMorphMap {
public:
    static constexpr uint8_t kGroupCount = 4;
    static constexpr uint8_t kNoGroup = 4;
    static constexpr size_t kMaxEntries = 25;

    struct Entry {
        uint8_t group = 0;
        int32_t range = 0;
    };
    using Entries = std::map<ParamAddress, Entry>;

    // False, and nothing changes, when the parameter already has a group
    // or the group is not one of the four.
    bool Assign(const ParamAddress& key, uint8_t group, int32_t range);
    void Remove(const ParamAddress& key);
    bool FindByParam(const ParamAddress& key, uint8_t& group, int32_t& range) const;
    // Only for a parameter that has a group.
    void SetRange(const ParamAddress& key, int32_t range);
    bool HasRoom() const { return entries_.size() < kMaxEntries; }
    bool HasRoomForTwo() const { return entries_.size() + 1 < kMaxEntries; }
    const Entries& GetEntries() const { return entries_; }

    // Group 4 (none) is ignored by the setters and reads as 0.
    void SetKeyboardAssign(uint8_t group, uint32_t value);
    uint32_t GetKeyboardAssign(uint8_t group) const;
    bool IsKeyboardAssigned(uint32_t value) const;
    void SetGroupValue(uint8_t group, uint8_t value);
    uint8_t GetGroupValue(uint8_t group) const;

    bool IsChanged() const { return changed_; }
    void ClearChangeFlag() { changed_ = false; }
    bool RequestIfMissing(CMapHostInterface& host) const;

    void ReplaceFrom(const CMMorphMapDump& dump);
    // Corrects the map after a dump: a keyboard assignment stays with the
    // first group holding it, parameters the document lacks or that cannot
    // be morphed go, and of more than 25 entries the lowest keys go.
    // XPMapError "Morph assignment problem" when anything changed.
    void Validate(const CMapHostInterface& host);
    std::unique_ptr<CMMorphMapDump> MakeDump() const;

    // Moves parameter P (and optionally a second parameter Q of the same
    // control, when its module is not 0) to group G; a parameter that had a
    // group keeps its range. Group 4 only removes.
    void MakeAssignMolecules(CEditPair& pair, const ParamAddress& key, uint8_t group, int32_t range,
                             const ParamAddress& second = ParamAddress{0, 0, 0}) const;
    // Gives the keyboard assignment to group G alone.
    void MakeKeyboardAssignMolecules(CEditPair& pair, uint8_t group, uint32_t value) const;
    void MakeDeassignMolecules(CEditPair& pair, uint8_t area, uint8_t module) const;

private:
    // Takes the parameter's present group out (when it has one) and gives
    // the range to keep.
    int32_t AddTakeOut(CEditPair& pair, const ParamAddress& key, int32_t range) const;

    Entries entries_;
    std::array<uint32_t, kGroupCount> keyboard_{};
    std::array<uint8_t, kGroupCount> values_{};
    bool changed_ = true;
    uint32_t dumpConflicts_ = 0;
};
