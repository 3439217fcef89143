#pragma once

#include "patch/area/CableTree.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/PatchApplyInterface.h"
#include "synth/molecules/MoleculePacket.h"

#include <stdexcept>

// Stands in for the document: applies the cable molecules of a packet to
// one tree, as the voice area does. Other molecules are not expected.
class CCableApplier final : public CPatchApplyInterface {
public:
    explicit CCableApplier(CCableTree& tree) : tree_(tree) { }

    void Apply(const CMoleculePacket& packet)
    {
        for (CMolecule* molecule : packet)
            molecule->ApplyToPatch(*this);
    }

    void ApplyCableConnect(const CMCableConnect& m) override { tree_.Connect({m.end1, m.end2, m.colour}); }
    void ApplyCableDelete(const CMCableDelete& m) override { tree_.Disconnect({m.end1, m.end2, 0}); }
    void ApplyCableRecolor(const CMCableRecolor& m) override { tree_.Recolor({m.end1, m.end2, m.colour}); }
    void ApplyCableDump(const CMCableDump& m) override
    {
        for (const CCableDumpEntry& c : m.GetCables())
            tree_.Connect({c.end1, c.end2, c.colour});
    }

    void ApplyModuleNew(const CMModuleNew&) override { Unexpected(); }
    void ApplyModuleDelete(const CMModuleDelete&) override { Unexpected(); }
    void ApplyModuleName(const CMModuleName&) override { Unexpected(); }
    void ApplyModuleMove(const CMModuleMove&) override { Unexpected(); }
    void ApplyModuleDump(const CMModuleDump&) override { Unexpected(); }
    void ApplyModuleParamDump(const CMModuleParamDump&) override { Unexpected(); }
    void ApplyModuleNameDump(const CMModuleNameDump&) override { Unexpected(); }
    void ApplyModuleCustomDataDump(const CMModuleCustomDataDump&) override { Unexpected(); }
    void ApplyParamFocusDump(const CMParamFocusDump&) override { Unexpected(); }
    void ApplyParamChange(const CMParamChange&) override { Unexpected(); }
    void ApplyMorphChange(const CMMorphChange&) override { Unexpected(); }
    void ApplyCustomData(const CMCustomData&) override { Unexpected(); }
    void ApplyKnobAssign(const CMKnobAssign&) override { Unexpected(); }
    void ApplyKnobDeassign(const CMKnobDeassign&) override { Unexpected(); }
    void ApplyCtrlAssign(const CMCtrlAssign&) override { Unexpected(); }
    void ApplyCtrlDeassign(const CMCtrlDeassign&) override { Unexpected(); }
    void ApplyMorphAssign(const CMMorphAssign&) override { Unexpected(); }
    void ApplyMorphKeyboardAssign(const CMMorphKeyboardAssign&) override { Unexpected(); }
    void ApplyCtrlMapDump(const CMCtrlMapDump&) override { Unexpected(); }
    void ApplyKnobMapDump(const CMKnobMapDump&) override { Unexpected(); }
    void ApplyMorphMapDump(const CMMorphMapDump&) override { Unexpected(); }
    void ApplyPatchHeaderDump(const CMPatchHeaderDump&) override { Unexpected(); }
    void ApplyPatchNameDump(const CMPatchNameDump&) override { Unexpected(); }
    void ApplyCurrentNotesDump(const CMCurrentNotesDump&) override { Unexpected(); }

private:
    static void Unexpected() { throw std::logic_error("not a cable molecule"); }

    CCableTree& tree_;
};
