#include "patch/maps/CtrlMap.h"

#include "patch/PatchError.h"
#include "synth/protocol/MidiCtrlNames.h"
#include "synth/molecules/AssignMolecules.h"

void CCtrlMap::ReplaceFrom(const CMCtrlMapDump& dump)
{
    BeginReplace();
    for (const CCtrlMapEntry& entry : dump.GetEntries())
        AddFromDump(entry.address, entry.controller);
}

void CCtrlMap::Validate(const CMapHostInterface& host)
{
    const bool conflicts = TakeDumpConflicts();
    const bool shared = RemoveSharedValues();
    const bool missing = RemoveMissingParams(host);
    // Controllers that cannot be assigned go too when the steps before found
    // something already: a corrected map holds no invalid entry.
    const bool unassignable = RemoveIf([](const auto& entry) { return !IsAssignableMidiCtrl(entry.second); });
    if (conflicts || shared || missing || unassignable)
        throw XPMapError(PatchErrorCode::kCtrlAssignment);
}

std::unique_ptr<CMCtrlMapDump> CCtrlMap::MakeDump() const
{
    auto dump = std::make_unique<CMCtrlMapDump>();
    for (const auto& [key, controller] : GetEntries())
        if (!dump->AddAssignment(key, controller))
            throw XPMapError(PatchErrorCode::kCtrlAssignment);
    return dump;
}

bool CCtrlMap::IsAssignable(uint8_t value) const
{
    return IsAssignableMidiCtrl(value);
}

std::unique_ptr<CMolecule> CCtrlMap::MakeAssign(const ParamAddress& key, uint8_t value) const
{
    return std::make_unique<CMCtrlAssign>(key, value);
}

std::unique_ptr<CMolecule> CCtrlMap::MakeDeassign(uint8_t value) const
{
    return std::make_unique<CMCtrlDeassign>(value);
}

std::unique_ptr<CMolecule> CCtrlMap::MakeRequest() const
{
    return std::make_unique<CMCtrlMapRequest>();
}
