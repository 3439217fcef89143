#include "patch/clip/ModuleSelection.h"

#include "patch/area/CableTree.h"
#include "patch/edit/EditPair.h"
#include "patch/module/ModuleInterface.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/ParamMolecules.h"

#include <algorithm>

void CModuleSelection::Add(CModuleInterface& module)
{
    if (std::find(modules_.begin(), modules_.end(), &module) != modules_.end()) {
        return;
    }
    if (!modules_.empty() && module.GetAreaIndex() != area_) {
        Clear();
    }
    area_ = module.GetAreaIndex();
    modules_.push_back(&module);
    module.SetSelected(true);
}

void CModuleSelection::Remove(CModuleInterface& module)
{
    const auto found = std::find(modules_.begin(), modules_.end(), &module);
    if (found != modules_.end()) {
        modules_.erase(found);
        module.SetSelected(false);
    }
}

void CModuleSelection::Clear()
{
    for (CModuleInterface* module : modules_) {
        module->SetSelected(false);
    }
    modules_.clear();
}

bool CModuleSelection::Contains(uint8_t moduleIndex) const
{
    return std::any_of(modules_.begin(), modules_.end(),
                       [moduleIndex](const CModuleInterface* m) { return m->GetModuleIndex() == moduleIndex; });
}

std::vector<uint8_t> CModuleSelection::GetModuleIndices() const
{
    std::vector<uint8_t> indices;
    for (const CModuleInterface* module : modules_) {
        indices.push_back(module->GetModuleIndex());
    }
    return indices;
}

void CModuleSelection::MakeDeleteMolecules(CEditPair& pair) const
{
    for (const CModuleInterface* module : modules_) {
        const uint8_t area = module->GetAreaIndex();
        const uint8_t index = module->GetModuleIndex();
        pair.AddDo(std::make_unique<CMModuleDelete>(area, index));
        auto values = std::make_unique<CMModuleParamDump>(area);
        values->AddModule(index, module->GetTypeId());
        for (uint8_t param = 0; param < module->GetParamCount(); ++param) {
            values->SetParameter(index, module->GetTypeId(), param, module->GetParamValue(param));
        }
        // Each is inserted at the front: undo runs new, name, data, values.
        pair.AddUndo(std::move(values));
        pair.AddUndo(std::make_unique<CMCustomData>(area, index, module->GetCustomData()));
        pair.AddUndo(std::make_unique<CMModuleName>(area, index, module->GetName()));
        pair.AddUndo(std::make_unique<CMModuleNew>(area, index, module->GetTypeId(), module->GetColumn(),
                                                   module->GetRow(), module->GetName()));
    }
}

std::unique_ptr<CCableTree> CModuleSelection::CopyCableTree(const CCableTree& areaTree) const
{
    std::unique_ptr<CCableTree> clip = areaTree.CopyForModules();
    std::vector<uint8_t> unselected;
    for (const CModuleInterface* module : clip->GetModules()) {
        if (!Contains(module->GetModuleIndex())) {
            unselected.push_back(module->GetModuleIndex());
        }
    }
    for (const uint8_t index : unselected) {
        clip->GetModules().Remove(index);
    }
    return clip;
}
