#include "panels/panel/PanelModuleServices.h"

#include "panels/ModuleCatalogue.h"
#include "panels/panel/Module.h"
#include "panels/cables/CableDragDropManager.h"
#include "panels/cables/CableRenderList.h"

CPanelModuleServices::CPanelModuleServices(CModuleCatalogue& catalogue) : catalogue_(&catalogue)
{
    SetModuleServices(this);
}

CPanelModuleServices::~CPanelModuleServices()
{
    if (GetModuleServices() == this) {
        SetModuleServices(nullptr);
    }
}

std::unique_ptr<CModuleInterface> CPanelModuleServices::CreateModule(uint8_t typeId) const
{
    return catalogue_->CreateModule(typeId);
}

size_t CPanelModuleServices::GetTabCount() const
{
    return catalogue_->GetTabCount();
}

std::string CPanelModuleServices::GetTabName(size_t tab) const
{
    return catalogue_->GetTabName(tab);
}

std::vector<uint8_t> CPanelModuleServices::GetTabTypes(size_t tab) const
{
    return catalogue_->GetTabTypes(tab);
}

std::string CPanelModuleServices::GetTypeName(uint8_t typeId) const
{
    const CBuildModule* builder = catalogue_->FindBuilder(typeId);
    return builder ? builder->GetShortName() : std::string();
}

std::unique_ptr<CCableRenderListInterface> CPanelModuleServices::CreateCableRenderer() const
{
    return std::make_unique<CCableRenderList>();
}

std::unique_ptr<CCableDragInterface> CPanelModuleServices::CreateCableDrag(CPatchBackground& area) const
{
    return std::make_unique<CCableDragDropManager>(area);
}
