#include "modules/panels/ModuleAudio.h"

#include "panels/items/PanelItem.h"
#include "panels/items/PnlVUMeterABC.h"

CModuleAudio::CModuleAudio(CBuildModule& builder) : CLayoutModule(builder)
{
    for (CPanelItem* item : FindItems([](const ItemSpec& spec) { return IsMeter(spec.itemClass); })) {
        meters_.push_back(dynamic_cast<CPnlVUMeterABC*>(item));
    }
}

void CModuleAudio::SetMeterValue(uint16_t value)
{
    const int16_t levels[] = {static_cast<int16_t>(value >> 7), static_cast<int16_t>(value & 127)};
    for (size_t i = 0; i < meters_.size() && i < std::size(levels); ++i) {
        if (meters_[i] != nullptr) {
            meters_[i]->SetLevel(levels[i]);
        }
    }
}
