#include "patch/PatchError.h"
#include "synth/protocol/TextFunctions.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/document/ModuleCursor.h"
#include "patch/document/Patch.h"
#include "patch/document/EditorServicesInterface.h"
#include "patch/document/PatchApplyError.h"
#include "synth/link/SynthLinkInterface.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "platform/system/Clock.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"

#include <utility>

namespace {

// An edit molecule that the document refuses simply does not happen.
template <typename F> void ApplyEdit(F&& apply)
{
    try {
        apply();
    } catch (const XPatchError&) {
        // Refused by the model's checks: nothing changed, nothing to report.
    }
}

// A dump of one part: its error is reported as a gathered one.
template <typename F> void ApplyPart(F&& apply)
{
    try {
        apply();
    } catch (const XPatchError& error) {
        XPatchError gathered;
        gathered.Add(error);
        throw gathered;
    }
}

// A dump of a list gathers the error of each entry and goes on.
class CEntryErrors {
public:
    // False when the entry failed.
    template <typename F> bool Apply(F&& apply)
    {
        try {
            apply();
            return true;
        } catch (const XPatchError& error) {
            gathered_.Add(error);
            return false;
        }
    }
    void ThrowIfAny() const
    {
        if (gathered_.GetErrorCount() != 0) {
            throw gathered_;
        }
    }

private:
    XPatchError gathered_;
};

// Adds what a caught error holds: its own count when it gathered others.
void Gather(std::string& firstText, uint32_t& count, const XPatchError& error)
{
    const bool gatheredError = error.GetErrorCount() != 0;
    if (count == 0) {
        firstText = gatheredError ? error.GetMessage() : error.GetText();
    }
    count += gatheredError ? error.GetErrorCount() : 1;
}

// A map takes a dump's entries, then corrects them; the labels show what it
// kept, also when the correction reports an error.
template <typename Map, typename Dump> void ReplaceMap(Map& map, const Dump& dump, CPatch& patch)
{
    map.ReplaceFrom(dump);
    try {
        map.Validate(patch);
    } catch (const XPatchError&) {
        patch.RebuildLabels();
        throw;
    }
    patch.RebuildLabels();
}

class CHeldRefreshes {
public:
    CHeldRefreshes(CPatchBackground& first, CPatchBackground& second) : first_(first), second_(second)
    {
        first_.HoldRefreshes();
        second_.HoldRefreshes();
    }
    ~CHeldRefreshes()
    {
        first_.ReleaseRefreshes();
        second_.ReleaseRefreshes();
    }
    CHeldRefreshes(const CHeldRefreshes&) = delete;
    CHeldRefreshes& operator=(const CHeldRefreshes&) = delete;

private:
    CPatchBackground& first_;
    CPatchBackground& second_;
};

CableEntry MakeCable(const CMCableABC& molecule)
{
    return CableEntry{molecule.end1, molecule.end2, molecule.colour};
}

} // namespace

void CPatch::ApplyMoleculeList(const CMoleculePacket& packet)
{
    std::string firstText;
    uint32_t count = 0;
    {
        // Each changed module's panel is refreshed once, after the packet.
        const CHeldRefreshes held(*area0_, *area1_);
        for (CMolecule* molecule : packet) {
            try {
                molecule->ApplyToPatch(*this);
            } catch (const XPatchError& error) {
                Gather(firstText, count, error);
            }
        }
    }
    RefreshWindows();
    if (count != 0) {
        throw XPatchApplyError(firstText, count);
    }
}

// Edits.

void CPatch::ApplyModuleNew(const CMModuleNew& molecule)
{
    ApplyEdit([&] {
        CPatchBackground& area = RequireArea(molecule.area);
        CModuleInterface& module = area.AddModule(molecule.type, molecule.module, molecule.column, molecule.row);
        try {
            area.SetModuleName(molecule.module, molecule.name);
        } catch (...) {
            area.DeleteModule(molecule.module);
            throw;
        }
        // The molecule carries the whole module: nothing to ask the
        // synthesizer for.
        module.SetParamsPending(false);
        module.SetNamePending(false);
        selection_->Add(module);
        RepairFocusAfterCreate();
        SetDirty();
    });
}

void CPatch::ApplyModuleDelete(const CMModuleDelete& molecule)
{
    ApplyEdit([&] {
        CPatchBackground& area = RequireArea(molecule.area);
        CModuleInterface* module = area.FindModule(molecule.module);
        if (module == nullptr) {
            throw XPDontExist(PatchErrorCode::kModuleDoesNotExist);
        }
        area.DeleteModuleCables(molecule.module);
        selection_->Remove(*module);
        area.DeleteModule(molecule.module);
        RepairFocusAfterDelete(ParamAddress{molecule.area, molecule.module, 0});
        SetDirty();
    });
}

void CPatch::ApplyModuleName(const CMModuleName& molecule)
{
    ApplyEdit([&] {
        RequireArea(molecule.area).SetModuleName(molecule.module, molecule.name);
        SetDirty();
    });
}

void CPatch::ApplyModuleMove(const CMModuleMove& molecule)
{
    ApplyEdit([&] {
        RequireArea(molecule.area).MoveModule(molecule.module, molecule.column, molecule.row);
        SetDirty();
    });
}

void CPatch::ApplyCableConnect(const CMCableConnect& molecule)
{
    ApplyEdit([&] {
        RequireArea(molecule.area).ConnectCable(MakeCable(molecule));
        SetDirty();
    });
}

void CPatch::ApplyCableDelete(const CMCableDelete& molecule)
{
    ApplyEdit([&] {
        RequireArea(molecule.area).DeleteCable(MakeCable(molecule));
        SetDirty();
    });
}

void CPatch::ApplyCableRecolor(const CMCableRecolor& molecule)
{
    ApplyEdit([&] {
        RequireArea(molecule.area).RecolorCable(MakeCable(molecule));
        SetDirty();
    });
}

void CPatch::ApplyParamChange(const CMParamChange& molecule)
{
    ApplyEdit([&] {
        const ParamAddress& address = molecule.address;
        if (address.location == 2) {
            morphMap_->SetGroupValue(address.param > 4 ? 4 : address.param, molecule.value);
            return;
        }
        RequireArea(address.location).SetParamValue(address.module, address.param, molecule.value);
    });
}

void CPatch::ApplyMorphChange(const CMMorphChange& molecule)
{
    ApplyEdit([&] {
        const ParamAddress& address = molecule.address;
        morphMap_->SetRange(address, molecule.range);
        if (CPatchBackground* area = GetArea(address.location)) {
            area->RefreshModule(address.module);
        }
    });
}

void CPatch::ApplyCustomData(const CMCustomData& molecule)
{
    ApplyEdit([&] {
        RequireArea(molecule.area).SetCustomData(molecule.module, molecule.data);
        SetDirty();
    });
}

void CPatch::ApplyKnobAssign(const CMKnobAssign& molecule)
{
    ApplyEdit([&] {
        knobMap_->Assign(molecule.address, molecule.knob);
        RebuildLabels();
        SetDirty();
    });
}

void CPatch::ApplyKnobDeassign(const CMKnobDeassign& molecule)
{
    ApplyEdit([&] {
        knobMap_->Deassign(molecule.knob);
        RebuildLabels();
        SetDirty();
    });
}

void CPatch::ApplyCtrlAssign(const CMCtrlAssign& molecule)
{
    ApplyEdit([&] {
        ctrlMap_->Assign(molecule.address, molecule.controller);
        RebuildLabels();
        SetDirty();
    });
}

void CPatch::ApplyCtrlDeassign(const CMCtrlDeassign& molecule)
{
    ApplyEdit([&] {
        ctrlMap_->Deassign(molecule.controller);
        RebuildLabels();
        SetDirty();
    });
}

void CPatch::ApplyMorphAssign(const CMMorphAssign& molecule)
{
    ApplyEdit([&] {
        uint8_t group = 0;
        int32_t range = 0;
        const bool assigned = morphMap_->FindByParam(molecule.address, group, range);
        if (molecule.group != CMMorphAssign::kNoGroup && !assigned && !morphMap_->HasRoom()) {
            throw XPToMany(PatchErrorCode::kTooManyMorphs);
        }
        morphMap_->Remove(molecule.address);
        if (molecule.group != CMMorphAssign::kNoGroup) {
            morphMap_->Assign(molecule.address, molecule.group, molecule.range);
        }
        if (CPatchBackground* area = GetArea(molecule.address.location)) {
            area->RefreshModule(molecule.address.module);
        }
        RebuildLabels();
        SetDirty();
    });
}

void CPatch::ApplyMorphKeyboardAssign(const CMMorphKeyboardAssign& molecule)
{
    ApplyEdit([&] {
        morphMap_->SetKeyboardAssign(molecule.group, molecule.assignment);
        SetDirty();
    });
}

// Dumps of one part.

void CPatch::ApplyParamFocusDump(const CMParamFocusDump& molecule)
{
    ApplyPart([&] {
        const CModuleCursor cursor(*this, molecule.address);
        if (!cursor.IsAtEnd()) {
            const ParamAddress old = focus_;
            focus_ = molecule.address;
            if (CPatchBackground* area = GetArea(old.location)) {
                area->RefreshModule(old.module);
            }
            if (CPatchBackground* area = GetArea(focus_.location)) {
                area->RefreshModule(focus_.module);
            }
        }
        // The focus asked for as the patch was loaded is no choice of the
        // user's: it leaves the current slot with the patch in front (a
        // synthesizer enabled later loads its slots behind it).
        const bool loadAnswer = std::exchange(focusAnswerAwaited_, false);
        if (IsLinked() && IsSlotActive() && !loadAnswer) {
            synth_->MakeCurrentSlot(slot_);
        }
    });
}

void CPatch::ApplyPatchHeaderDump(const CMPatchHeaderDump& molecule)
{
    ApplyPart([&] {
        const CPatchHeader& header = molecule.GetHeader();
        const bool changed = receivedHeader_->DiffersForSynth(header);
        const int16_t split = receivedHeader_->GetSplitPosition();
        *receivedHeader_ = header;
        headerReceivedTime_ = platform::NowMilliseconds();
        headerMissing_ = false;
        if (!headerSendPending_) {
            *editedHeader_ = header;
            headerEditTime_ = headerReceivedTime_;
        } else if (header.Equals(*editedHeader_)) {
            headerSendPending_ = false;
        }
        for (uint8_t colour = 0; colour < 7; ++colour) {
            const bool shown = header.GetCableVisible(colour) != 0;
            area1_->ShowCableColour(colour, shown);
            area0_->ShowCableColour(colour, shown);
        }
        if (!HasChanges() && changed) {
            SetDirty();
        }
        if (window_ != nullptr && split != header.GetSplitPosition()) {
            window_->RelayoutAreas();
        }
    });
}

void CPatch::ApplyPatchNameDump(const CMPatchNameDump& molecule)
{
    ApplyPart([&] {
        if (!HasChanges()) {
            SetDirty();
        }
        // Names from the synthesizer may hold any byte: they get the
        // cleaning names from files get before a title or list shows them.
        std::string name = molecule.name;
        RemoveInvalidPatchNameChars(name);
        SetName(name);
    });
}

void CPatch::ApplyCurrentNotesDump(const CMCurrentNotesDump& molecule)
{
    currentNotes_ = molecule;
    currentNotesMissing_ = false;
}

void CPatch::ApplyCtrlMapDump(const CMCtrlMapDump& molecule)
{
    ApplyPart([&] { ReplaceMap(*ctrlMap_, molecule, *this); });
}

void CPatch::ApplyKnobMapDump(const CMKnobMapDump& molecule)
{
    ApplyPart([&] { ReplaceMap(*knobMap_, molecule, *this); });
}

void CPatch::ApplyMorphMapDump(const CMMorphMapDump& molecule)
{
    ApplyPart([&] { ReplaceMap(*morphMap_, molecule, *this); });
}

// Dumps of lists. Each part counts as received even when entries failed.

void CPatch::ApplyModuleDump(const CMModuleDump& molecule)
{
    CPatchBackground& area = RequireArea(molecule.GetArea());
    CEntryErrors errors;
    for (const CModuleDumpEntry& entry : molecule.GetModules()) {
        errors.Apply([&] { area.AddModule(entry.type, entry.index, entry.column, entry.row); });
    }
    RepairFocusAfterCreate();
    area.GetStore().SetModulesPending(false);
    errors.ThrowIfAny();
}

void CPatch::ApplyModuleParamDump(const CMModuleParamDump& molecule)
{
    CPatchBackground& area = RequireArea(molecule.GetArea());
    CEntryErrors errors;
    for (const auto& [index, module] : molecule.GetModules()) {
        // A module whose values do not match its parameters takes none.
        if (!errors.Apply([&] { area.CheckParamCount(index, module.values.size()); })) {
            continue;
        }
        for (const auto& [param, value] : module.values) {
            errors.Apply([&] { area.SetParamValue(index, param, value); });
        }
    }
    area.ClearParamsPending();
    errors.ThrowIfAny();
}

void CPatch::ApplyModuleNameDump(const CMModuleNameDump& molecule)
{
    CPatchBackground& area = RequireArea(molecule.GetArea());
    CEntryErrors errors;
    for (const CModuleNameEntry& entry : molecule.GetNames()) {
        errors.Apply([&] { area.SetModuleName(entry.index, entry.name); });
    }
    area.ClearNamesPending();
    errors.ThrowIfAny();
}

void CPatch::ApplyModuleCustomDataDump(const CMModuleCustomDataDump& molecule)
{
    CPatchBackground& area = RequireArea(molecule.GetArea());
    CEntryErrors errors;
    for (const auto& [index, data] : molecule.GetData()) {
        errors.Apply([&] {
            area.CheckCustomDataCount(index, data.size());
            area.SetCustomData(index, data);
        });
    }
    area.GetStore().SetCustomDataPending(false);
    errors.ThrowIfAny();
}

void CPatch::ApplyCableDump(const CMCableDump& molecule)
{
    CPatchBackground& area = RequireArea(molecule.GetArea());
    CEntryErrors errors;
    for (const CCableDumpEntry& entry : molecule.GetCables()) {
        errors.Apply([&] { area.ConnectCable(CableEntry{entry.end1, entry.end2, entry.colour}); });
    }
    area.GetStore().SetCablesPending(false);
    errors.ThrowIfAny();
}
