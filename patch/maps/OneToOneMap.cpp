#include "patch/maps/OneToOneMap.h"

#include "patch/document/MapHostInterface.h"
#include "patch/edit/EditPair.h"
#include "synth/molecules/MoleculePacket.h"

#include <set>

bool COneToOneMap::Assign(const ParamAddress& key, uint8_t value)
{
    if (!IsAssignable(value) || FindByValue(value) || ContainsParam(key))
        return false;
    entries_[key] = value;
    return true;
}

void COneToOneMap::Deassign(uint8_t value)
{
    ParamAddress key;
    if (FindParamOf(value, key))
        entries_.erase(key);
}

bool COneToOneMap::FindByParam(const ParamAddress& key, uint8_t& value) const
{
    const auto it = entries_.find(key);
    if (it == entries_.end())
        return false;
    value = it->second;
    return true;
}

bool COneToOneMap::FindParamOf(uint8_t value, ParamAddress& key) const
{
    for (const auto& [param, held] : entries_) {
        if (held == value) {
            key = param;
            return true;
        }
    }
    return false;
}

bool COneToOneMap::FindByValue(uint8_t value) const
{
    ParamAddress key;
    return FindParamOf(value, key);
}

bool COneToOneMap::RequestIfMissing(CMapHostInterface& host) const
{
    if (!changed_)
        return false;
    CMoleculePacket packet;
    packet.Append(MakeRequest());
    host.SendOnly(packet);
    return true;
}

void COneToOneMap::MakeAssignMolecules(CEditPair& pair, const ParamAddress& key, uint8_t value) const
{
    try {
        uint8_t present = none_;
        if (FindByParam(key, present)) {
            pair.Add(MakeDeassign(present), MakeAssign(key, present));
        }
        ParamAddress holder;
        if (value != present && FindParamOf(value, holder))
            pair.Add(MakeDeassign(value), MakeAssign(holder, value));
        if (value != none_)
            pair.Add(MakeAssign(key, value), MakeDeassign(value));
    } catch (...) {
        pair.Clear();
        throw;
    }
}

void COneToOneMap::MakeDeassignMolecules(CEditPair& pair, uint8_t area, uint8_t module) const
{
    for (const auto& [key, value] : entries_)
        if (key.location == area && key.module == module)
            pair.Add(MakeDeassign(value), MakeAssign(key, value));
}

void COneToOneMap::BeginReplace()
{
    entries_.clear();
    dumpConflicts_ = 0;
    changed_ = false;
}

void COneToOneMap::AddFromDump(const ParamAddress& key, uint8_t value)
{
    if (!entries_.emplace(key, value).second)
        ++dumpConflicts_;
}

bool COneToOneMap::TakeDumpConflicts()
{
    const bool any = dumpConflicts_ != 0;
    dumpConflicts_ = 0;
    return any;
}

bool COneToOneMap::RemoveSharedValues()
{
    std::set<uint8_t> seen;
    return RemoveIf([&seen](const auto& entry) { return !seen.insert(entry.second).second; });
}

bool COneToOneMap::RemoveAllSharedValues()
{
    std::map<uint8_t, int> holders;
    for (const auto& entry : entries_)
        ++holders[entry.second];
    return RemoveIf([&holders](const auto& entry) { return holders[entry.second] > 1; });
}

bool COneToOneMap::RemoveMissingParams(const CMapHostInterface& host)
{
    return RemoveIf([&host](const auto& entry) { return !host.HasParam(entry.first); });
}
