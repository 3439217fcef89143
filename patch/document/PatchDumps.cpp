#include "patch/PatchError.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"

#include <algorithm>
#include <vector>

namespace {

// A dump that refuses an entry would lose part of the patch: that is an
// error, never a silent drop.
void RequireAdded(bool added)
{
    if (!added) {
        throw XPToMany(PatchErrorCode::kTooManyModules);
    }
}

std::unique_ptr<CMModuleDump> MakeModuleDump(const CPatchBackground& area)
{
    auto dump = std::make_unique<CMModuleDump>(area.GetAreaIndex());
    for (const CModuleInterface* module : area.GetModules()) {
        RequireAdded(
            dump->AddModule(module->GetModuleIndex(), module->GetTypeId(), module->GetColumn(), module->GetRow()));
    }
    return dump;
}

std::unique_ptr<CMCableDump> MakeCableDump(const CPatchBackground& area)
{
    auto dump = std::make_unique<CMCableDump>(area.GetAreaIndex());
    area.GetStore().FillCableDump(*dump);
    return dump;
}

std::unique_ptr<CMModuleParamDump> MakeParamDump(const CPatchBackground& area)
{
    auto dump = std::make_unique<CMModuleParamDump>(area.GetAreaIndex());
    for (const CModuleInterface* module : area.GetModules()) {
        const uint8_t index = module->GetModuleIndex();
        RequireAdded(dump->AddModule(index, module->GetTypeId()));
        for (uint8_t param = 0; param < module->GetParamCount(); ++param) {
            RequireAdded(dump->SetParameter(index, module->GetTypeId(), param, module->GetParamValue(param)));
        }
    }
    return dump;
}

std::unique_ptr<CMModuleCustomDataDump> MakeCustomDataDump(const CPatchBackground& area)
{
    auto dump = std::make_unique<CMModuleCustomDataDump>(area.GetAreaIndex());
    for (const CModuleInterface* module : area.GetModules()) {
        if (module->GetCustomValueCount() != 0) {
            RequireAdded(dump->SetData(module->GetModuleIndex(), module->GetCustomData()));
        }
    }
    return dump;
}

std::unique_ptr<CMModuleNameDump> MakeNameDump(const CPatchBackground& area)
{
    // In ascending module index, like the parameter lines, whatever order
    // the modules were added in.
    std::vector<const CModuleInterface*> modules(area.GetModules().begin(), area.GetModules().end());
    std::sort(modules.begin(), modules.end(), [](const CModuleInterface* a, const CModuleInterface* b) {
        return a->GetModuleIndex() < b->GetModuleIndex();
    });
    auto dump = std::make_unique<CMModuleNameDump>(area.GetAreaIndex());
    for (const CModuleInterface* module : modules) {
        RequireAdded(dump->AddName(module->GetModuleIndex(), module->GetName()));
    }
    return dump;
}

} // namespace

void CPatch::BuildPatchDump(CMoleculePacket& packet) const
{
    packet.Append(std::make_unique<CMPatchHeaderDump>(*receivedHeader_));
    packet.Append(MakeModuleDump(*area1_));
    packet.Append(MakeModuleDump(*area0_));
    packet.Append(std::make_unique<CMCurrentNotesDump>(currentNotes_));
    packet.Append(MakeCableDump(*area1_));
    packet.Append(MakeCableDump(*area0_));
    packet.Append(MakeParamDump(*area1_));
    packet.Append(MakeParamDump(*area0_));
    packet.Append(morphMap_->MakeDump());
    packet.Append(knobMap_->MakeDump());
    packet.Append(ctrlMap_->MakeDump());
    packet.Append(MakeCustomDataDump(*area1_));
    packet.Append(MakeCustomDataDump(*area0_));
    packet.Append(MakeNameDump(*area1_));
    packet.Append(MakeNameDump(*area0_));
}
