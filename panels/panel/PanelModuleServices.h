#pragma once

#include "patch/module/ModuleServicesInterface.h"

class CModuleCatalogue;

// The module panels as the patch document's module services: new panels
// of a type from the catalogue, the catalogue's tabs and type names, and
// the cable renderers. Installs itself for its lifetime.
class CPanelModuleServices final : public CModuleServicesInterface {
public:
    explicit CPanelModuleServices(CModuleCatalogue& catalogue);
    ~CPanelModuleServices() override;
    CPanelModuleServices(const CPanelModuleServices&) = delete;
    CPanelModuleServices& operator=(const CPanelModuleServices&) = delete;

    std::unique_ptr<CModuleInterface> CreateModule(uint8_t typeId) const override;
    size_t GetTabCount() const override;
    std::string GetTabName(size_t tab) const override;
    std::vector<uint8_t> GetTabTypes(size_t tab) const override;
    std::string GetTypeName(uint8_t typeId) const override;
    // Cables are drawn by the cable renderers once they exist; until then
    // the areas keep their cables in the model only.
    std::unique_ptr<CCableRenderListInterface> CreateCableRenderer() const override;
    std::unique_ptr<CCableDragInterface> CreateCableDrag(CPatchBackground& area) const override;

private:
    CModuleCatalogue* catalogue_;
};
