#include "patch/maps/MorphMap.h"

#include "patch/PatchError.h"
#include "patch/document/MapHostInterface.h"
#include "patch/edit/EditPair.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/AssignMolecules.h"

namespace {

std::unique_ptr<CMolecule> Morph(const ParamAddress& key, uint8_t group, int32_t range, uint32_t removal)
{
    return std::make_unique<CMMorphAssign>(key, group, range, removal);
}

std::unique_ptr<CMolecule> Keyboard(uint8_t group, uint32_t value)
{
    return std::make_unique<CMMorphKeyboardAssign>(group, static_cast<uint8_t>(value));
}

} // namespace

bool CMorphMap::Assign(const ParamAddress& key, uint8_t group, int32_t range)
{
    // A group beyond the four could be neither saved nor sent.
    if (group >= kGroupCount)
        return false;
    return entries_.emplace(key, Entry{group, range}).second;
}

void CMorphMap::Remove(const ParamAddress& key)
{
    entries_.erase(key);
}

bool CMorphMap::FindByParam(const ParamAddress& key, uint8_t& group, int32_t& range) const
{
    const auto it = entries_.find(key);
    if (it == entries_.end())
        return false;
    group = it->second.group;
    range = it->second.range;
    return true;
}

void CMorphMap::SetRange(const ParamAddress& key, int32_t range)
{
    const auto it = entries_.find(key);
    if (it != entries_.end())
        it->second.range = range;
}

void CMorphMap::SetKeyboardAssign(uint8_t group, uint32_t value)
{
    if (group < kGroupCount)
        keyboard_[group] = value;
}

uint32_t CMorphMap::GetKeyboardAssign(uint8_t group) const
{
    return group < kGroupCount ? keyboard_[group] : 0;
}

bool CMorphMap::IsKeyboardAssigned(uint32_t value) const
{
    for (const uint32_t held : keyboard_)
        if (held == value)
            return true;
    return false;
}

void CMorphMap::SetGroupValue(uint8_t group, uint8_t value)
{
    if (group < kGroupCount)
        values_[group] = value;
}

uint8_t CMorphMap::GetGroupValue(uint8_t group) const
{
    return group < kGroupCount ? values_[group] : 0;
}

bool CMorphMap::RequestIfMissing(CMapHostInterface& host) const
{
    if (!changed_)
        return false;
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMMorphMapRequest>());
    host.SendOnly(packet);
    return true;
}

void CMorphMap::ReplaceFrom(const CMMorphMapDump& dump)
{
    entries_.clear();
    dumpConflicts_ = 0;
    for (const CMorphMapEntry& entry : dump.GetEntries())
        if (!Assign(entry.address, entry.group, entry.range))
            ++dumpConflicts_;
    for (uint8_t group = 0; group < kGroupCount; ++group) {
        keyboard_[group] = dump.GetKeyboardAssignment(group);
        values_[group] = dump.GetGroupValue(group);
    }
    changed_ = false;
}

void CMorphMap::Validate(const CMapHostInterface& host)
{
    bool changed = dumpConflicts_ != 0;
    dumpConflicts_ = 0;
    // Velocity (1) and note (2) each stay with the first group holding them.
    bool held[3] = {true, false, false};
    for (uint32_t& value : keyboard_) {
        if (value > 2 || (value != 0 && held[value])) {
            value = 0;
            changed = true;
        } else {
            held[value] = true;
        }
    }
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (!host.HasParam(it->first) || !host.CanMorph(it->first)) {
            it = entries_.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    while (entries_.size() > kMaxEntries) {
        entries_.erase(entries_.begin());
        changed = true;
    }
    if (changed)
        throw XPMapError(PatchErrorCode::kMorphAssignment);
}

std::unique_ptr<CMMorphMapDump> CMorphMap::MakeDump() const
{
    auto dump = std::make_unique<CMMorphMapDump>();
    for (const auto& [key, entry] : entries_)
        if (!dump->AddAssignment(key, entry.group, entry.range))
            throw XPMapError(PatchErrorCode::kMorphAssignment);
    for (uint8_t group = 0; group < kGroupCount; ++group) {
        dump->SetKeyboardAssignment(group, static_cast<uint8_t>(keyboard_[group]));
        dump->SetGroupValue(group, values_[group]);
    }
    return dump;
}

int32_t CMorphMap::AddTakeOut(CEditPair& pair, const ParamAddress& key, int32_t range) const
{
    uint8_t oldGroup = kNoGroup;
    int32_t oldRange = 0;
    if (!FindByParam(key, oldGroup, oldRange))
        return range;
    pair.Add(Morph(key, kNoGroup, 0, 0), Morph(key, oldGroup, oldRange, 0));
    return oldRange;
}

void CMorphMap::MakeAssignMolecules(CEditPair& pair, const ParamAddress& key, uint8_t group, int32_t range,
                                    const ParamAddress& second) const
{
    try {
        const int32_t keyRange = AddTakeOut(pair, key, range);
        if (second.module != 0) {
            const int32_t secondRange = AddTakeOut(pair, second, range);
            pair.Add(Morph(second, group, secondRange, 0), Morph(second, kNoGroup, 0, 0));
        }
        pair.Add(Morph(key, group, keyRange, 0), Morph(key, kNoGroup, 0, 0));
    } catch (...) {
        pair.Clear();
        throw;
    }
}

void CMorphMap::MakeKeyboardAssignMolecules(CEditPair& pair, uint8_t group, uint32_t value) const
{
    if (group >= kGroupCount)
        return;
    pair.Add(Keyboard(group, value), Keyboard(group, keyboard_[group]));
    if (value == 0)
        return;
    for (uint8_t other = 0; other < kGroupCount; ++other)
        if (other != group && keyboard_[other] == value)
            pair.Add(Keyboard(other, 0), Keyboard(other, value));
}

void CMorphMap::MakeDeassignMolecules(CEditPair& pair, uint8_t area, uint8_t module) const
{
    for (const auto& [key, entry] : entries_)
        if (key.location == area && key.module == module)
            pair.Add(Morph(key, kNoGroup, 0, 1), Morph(key, entry.group, entry.range, 1));
}
