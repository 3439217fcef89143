#pragma once

#include "synth/molecules/MoleculeBuilder.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/FlashMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"

// The builders of the molecules the editor receives: CMB + the molecule's
// name without its CM, each with the target its packets go to.
#define TORVAN_MOLECULE_BUILDER(name, target)                                                                          \
    class CMB##name : public TMoleculeBuilder<CM##name, CM##name::kId> {                                               \
    public:                                                                                                            \
        CMB##name() : TMoleculeBuilder(target) { }                                                                     \
    };

TORVAN_MOLECULE_BUILDER(FlashUsageDump, kTargetSynth)
TORVAN_MOLECULE_BUILDER(FlashDataDump, kTargetSynth)
TORVAN_MOLECULE_BUILDER(FlashDeleteDump, kTargetSynth)
TORVAN_MOLECULE_BUILDER(SynthDataDump, kTargetSynth)
TORVAN_MOLECULE_BUILDER(PatchHeaderDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(PatchNameDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(ModuleDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(CableDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(MorphChange, kTargetPatch)
TORVAN_MOLECULE_BUILDER(ParamChange, kTargetPatch)
TORVAN_MOLECULE_BUILDER(ModuleParamDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(KnobAssign, kTargetPatch)
TORVAN_MOLECULE_BUILDER(KnobDeassign, kTargetPatch)
TORVAN_MOLECULE_BUILDER(CtrlAssign, kTargetPatch)
TORVAN_MOLECULE_BUILDER(CtrlDeassign, kTargetPatch)
TORVAN_MOLECULE_BUILDER(ModuleCustomDataDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(ModuleNameDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(MorphMapDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(KnobMapDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(CtrlMapDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(SessionNumberDump, kTargetSynth)
TORVAN_MOLECULE_BUILDER(SessionPatchRelease, kTargetSynth)
TORVAN_MOLECULE_BUILDER(SlotSelectionDump, kTargetSynth)
TORVAN_MOLECULE_BUILDER(SlotFocusDump, kTargetSynth)
TORVAN_MOLECULE_BUILDER(NumberOfVoicesDump, kTargetSynth)
TORVAN_MOLECULE_BUILDER(ParamFocusDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(FlashDumpMarker, kTargetSynth)
TORVAN_MOLECULE_BUILDER(CurrentNotesDump, kTargetPatch)
TORVAN_MOLECULE_BUILDER(FlashCommandResult, kTargetSynth)

#undef TORVAN_MOLECULE_BUILDER
