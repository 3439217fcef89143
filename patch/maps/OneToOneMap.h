#pragma once

#include "synth/protocol/ParamAddress.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

class CEditPair;
class CMolecule;
class CMapHostInterface;

// A map in which each parameter has at most one value and each value (a
// MIDI controller or a knob) belongs to at most one parameter. The
// controller and knob maps differ only in their molecules and their
// "none" value.
class COneToOneMap {
public:
    using Entries = std::map<ParamAddress, uint8_t>;

    virtual ~COneToOneMap() = default;

    // False, and nothing changes, when the value or the parameter is taken,
    // or when the value is none that can be assigned.
    bool Assign(const ParamAddress& key, uint8_t value);
    // Removes the entry holding the value; nothing when none does.
    void Deassign(uint8_t value);
    bool FindByParam(const ParamAddress& key, uint8_t& value) const;
    bool FindParamOf(uint8_t value, ParamAddress& key) const;
    bool FindByValue(uint8_t value) const;
    bool ContainsParam(const ParamAddress& key) const { return entries_.count(key) != 0; }
    const Entries& GetEntries() const { return entries_; }
    size_t GetCount() const { return entries_.size(); }

    // Set until the map is received from the synthesizer.
    bool IsChanged() const { return changed_; }
    void ClearChangeFlag() { changed_ = false; }
    // Sends the map's request when the map is still missing.
    bool RequestIfMissing(CMapHostInterface& host) const;

    // Moves `value` to parameter `key`, taking it from the parameter that
    // holds it; the "none" value only removes the present assignment.
    void MakeAssignMolecules(CEditPair& pair, const ParamAddress& key, uint8_t value) const;
    // Removes every assignment of one module's parameters.
    void MakeDeassignMolecules(CEditPair& pair, uint8_t area, uint8_t module) const;

protected:
    explicit COneToOneMap(uint8_t none) : none_(none) { }

    // Values a message may carry but no dump can hold (or a reload would
    // refuse) never enter the map.
    virtual bool IsAssignable(uint8_t value) const = 0;
    virtual std::unique_ptr<CMolecule> MakeAssign(const ParamAddress& key, uint8_t value) const = 0;
    virtual std::unique_ptr<CMolecule> MakeDeassign(uint8_t value) const = 0;
    virtual std::unique_ptr<CMolecule> MakeRequest() const = 0;

    // Starts a new content from a dump: entries are added in order, and a
    // second entry for one parameter is dropped and counted.
    void BeginReplace();
    void AddFromDump(const ParamAddress& key, uint8_t value);
    // Validation steps; each says whether it removed anything.
    bool TakeDumpConflicts();
    // Keeps the first (in key order) of the entries sharing a value.
    bool RemoveSharedValues();
    // Removes every entry whose value another entry shares too.
    bool RemoveAllSharedValues();
    bool RemoveMissingParams(const CMapHostInterface& host);
    template <typename Pred> bool RemoveIf(Pred pred)
    {
        bool removed = false;
        for (auto it = entries_.begin(); it != entries_.end();) {
            if (pred(*it)) {
                it = entries_.erase(it);
                removed = true;
            } else {
                ++it;
            }
        }
        return removed;
    }

private:
    Entries entries_;
    uint8_t none_;
    bool changed_ = true;
    uint32_t dumpConflicts_ = 0;
};
