#pragma once

#include "panels/ModuleTypeSpec.h"
#include "panels/panel/Module.h"

#include <memory>
#include <vector>

class CPanelItem;

// A module panel built from its type's face layout: every control, lamp,
// meter, info text and special item of the table in its order (controls
// first, so the n-th control edits parameter n), the custom items bound to
// their parameters, and the coarse/fine pairs the type records. The panel
// owns its items.
class CLayoutModule : public CModule {
public:
    explicit CLayoutModule(CBuildModule& builder);
    ~CLayoutModule() override;

    const std::vector<std::unique_ptr<CPanelItem>>& GetItems() const { return items_; }

protected:
    // The built items whose layout rows match, in their order: the types
    // that drive meters and lamps themselves find theirs with it.
    std::vector<CPanelItem*> FindItems(bool (*matches)(const ItemSpec&)) const;

private:
    // The items of the layout's rows in their order, then the jacks.
    std::vector<std::unique_ptr<CPanelItem>> items_;
};
