#pragma once

#include "patch/module/CableDragInterface.h"
#include "patch/module/CableRenderListInterface.h"
#include "patch/module/ModuleInterface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CPatchBackground;

// What the patch model needs of the module catalogue and the panels: new
// module panels by type, the toolbar tabs (for the area menu) and the cable
// renderers. The module panels implement it; the application installs it.
class CModuleServicesInterface {
public:
    virtual ~CModuleServicesInterface() = default;

    // XPOutOfRange "Module type doesn't exist" for a type without a builder.
    virtual std::unique_ptr<CModuleInterface> CreateModule(uint8_t typeId) const = 0;
    virtual size_t GetTabCount() const = 0;
    virtual std::string GetTabName(size_t tab) const = 0;
    // The tab's module types in tab order (0 for a gap).
    virtual std::vector<uint8_t> GetTabTypes(size_t tab) const = 0;
    // The type's short name (the area menu's items); empty for an unknown type.
    virtual std::string GetTypeName(uint8_t typeId) const = 0;
    virtual std::unique_ptr<CCableRenderListInterface> CreateCableRenderer() const = 0;
    // The area's cable gestures; none where cables are not drawn.
    virtual std::unique_ptr<CCableDragInterface> CreateCableDrag(CPatchBackground&) const { return nullptr; }
};

void SetModuleServices(const CModuleServicesInterface* services);
// Null until installed.
const CModuleServicesInterface* GetModuleServices();
// The installed services; XPOutOfRange "Module type doesn't exist" when none
// is installed, so a document without panels cannot grow modules.
const CModuleServicesInterface& RequireModuleServices();
