#include "patch/maps/KnobMap.h"

#include "patch/PatchError.h"
#include "synth/molecules/AssignMolecules.h"

void CKnobMap::ReplaceFrom(const CMKnobMapDump& dump)
{
    BeginReplace();
    for (uint8_t knob = 0; knob < CMKnobMapDump::kKnobCount; ++knob)
        if (dump.IsAssigned(knob))
            AddFromDump(dump.GetAssignment(knob), knob);
}

void CKnobMap::Validate(const CMapHostInterface& host)
{
    const bool conflicts = TakeDumpConflicts();
    const bool shared = RemoveAllSharedValues();
    const bool missing = RemoveMissingParams(host);
    if (conflicts || shared || missing)
        throw XPMapError(PatchErrorCode::kKnobAssignment);
}

std::unique_ptr<CMKnobMapDump> CKnobMap::MakeDump() const
{
    auto dump = std::make_unique<CMKnobMapDump>();
    for (const auto& [key, knob] : GetEntries()) {
        if (knob >= CMKnobMapDump::kKnobCount)
            throw XPMapError(PatchErrorCode::kKnobAssignment);
        dump->SetAssignment(knob, key);
    }
    return dump;
}

bool CKnobMap::IsAssignable(uint8_t value) const
{
    return value < kNone;
}

std::unique_ptr<CMolecule> CKnobMap::MakeAssign(const ParamAddress& key, uint8_t value) const
{
    return std::make_unique<CMKnobAssign>(key, value);
}

std::unique_ptr<CMolecule> CKnobMap::MakeDeassign(uint8_t value) const
{
    return std::make_unique<CMKnobDeassign>(value);
}

std::unique_ptr<CMolecule> CKnobMap::MakeRequest() const
{
    return std::make_unique<CMKnobMapRequest>();
}
