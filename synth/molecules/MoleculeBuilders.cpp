#include "synth/molecules/MoleculeBuilders.h"

#include "synth/molecules/MoleculeRegistry.h"

void RegisterReceivedMolecules(CMoleculeRegistry& registry)
{
    registry.Register(std::make_unique<CMBFlashUsageDump>());
    registry.Register(std::make_unique<CMBFlashDataDump>());
    registry.Register(std::make_unique<CMBFlashDeleteDump>());
    registry.Register(std::make_unique<CMBSynthDataDump>());
    registry.Register(std::make_unique<CMBPatchHeaderDump>());
    registry.Register(std::make_unique<CMBPatchNameDump>());
    registry.Register(std::make_unique<CMBModuleDump>());
    registry.Register(std::make_unique<CMBCableDump>());
    registry.Register(std::make_unique<CMBMorphChange>());
    registry.Register(std::make_unique<CMBParamChange>());
    registry.Register(std::make_unique<CMBModuleParamDump>());
    registry.Register(std::make_unique<CMBKnobAssign>());
    registry.Register(std::make_unique<CMBKnobDeassign>());
    registry.Register(std::make_unique<CMBCtrlAssign>());
    registry.Register(std::make_unique<CMBCtrlDeassign>());
    registry.Register(std::make_unique<CMBModuleCustomDataDump>());
    registry.Register(std::make_unique<CMBModuleNameDump>());
    registry.Register(std::make_unique<CMBMorphMapDump>());
    registry.Register(std::make_unique<CMBKnobMapDump>());
    registry.Register(std::make_unique<CMBCtrlMapDump>());
    registry.Register(std::make_unique<CMBSessionNumberDump>());
    registry.Register(std::make_unique<CMBSessionPatchRelease>());
    registry.Register(std::make_unique<CMBSlotSelectionDump>());
    registry.Register(std::make_unique<CMBSlotFocusDump>());
    registry.Register(std::make_unique<CMBNumberOfVoicesDump>());
    registry.Register(std::make_unique<CMBParamFocusDump>());
    registry.Register(std::make_unique<CMBFlashDumpMarker>());
    registry.Register(std::make_unique<CMBCurrentNotesDump>());
    registry.Register(std::make_unique<CMBFlashCommandResult>());
}
