#include "panels/panel/LayoutModule.h"

#include "panels/BuildModule.h"
#include "panels/items/PnlControl.h"
#include "panels/items/PnlCustom.h"
#include "panels/items/PnlLed.h"
#include "panels/jacks/JackFactory.h"
#include "panels/jacks/PnlHole.h"
#include "panels/panel/ItemFactory.h"

#include <span>

CLayoutModule::CLayoutModule(CBuildModule& builder) : CModule(builder)
{
    // Hundreds of panels are built at once: their lists are made to measure.
    const size_t count = builder.GetItems().size() + builder.GetJacks().size();
    items_.reserve(count);
    for (const ItemSpec& spec : builder.GetItems()) {
        std::unique_ptr<CPanelItem> item = MakePanelItem(*this, spec);
        if (auto* custom = dynamic_cast<CPnlCustom*>(item.get())) {
            for (const uint8_t param : spec.params) {
                if (const CPnlControl* control = GetControl(param)) {
                    custom->AddParam(*control);
                }
            }
        }
        if (spec.role == ItemRole::StateLed) {
            if (auto* led = dynamic_cast<CPnlLed*>(item.get())) {
                SetMeterItem(led);
            }
        }
        items_.push_back(std::move(item));
    }
    for (const JackSpec& spec : builder.GetJacks()) {
        if (std::unique_ptr<CPnlHole> jack = MakeJack(*this, spec)) {
            items_.push_back(std::move(jack));
        }
    }
    for (const auto& [first, second] : builder.GetPanelPairs()) {
        const CPnlControl* a = GetControl(first);
        const CPnlControl* b = GetControl(second);
        if (a != nullptr && b != nullptr) {
            AddParamPair(*a, *b);
        }
    }
}

CLayoutModule::~CLayoutModule()
{
    // The items go before the module's lists of them.
    ReleaseItems();
    items_.clear();
}

std::vector<CPanelItem*> CLayoutModule::FindItems(bool (*matches)(const ItemSpec&)) const
{
    std::vector<CPanelItem*> found;
    // The layout's items come first, one for each row; the jacks after them
    // have no row.
    const std::span<const ItemSpec> rows = GetBuilder().GetItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (matches(rows[i])) {
            found.push_back(items_[i].get());
        }
    }
    return found;
}
