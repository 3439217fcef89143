#include "modules/panels/ModuleDynamics.h"

#include "panels/items/PanelItem.h"
#include "panels/items/PnlLed.h"
#include "panels/items/PnlVUMeterABC.h"

CModuleDynamics::CModuleDynamics(CBuildModule& builder) : CLayoutModule(builder)
{
    for (CPanelItem* item : FindItems([](const ItemSpec& spec) { return IsMeter(spec.itemClass); })) {
        gain_ = dynamic_cast<CPnlVUMeterABC*>(item);
    }
    for (CPanelItem* item : FindItems([](const ItemSpec& spec) { return IsLed(spec.itemClass); })) {
        lamp_ = dynamic_cast<CPnlLed*>(item);
    }
}

void CModuleDynamics::SetMeterValue(uint16_t value)
{
    if (gain_ != nullptr) {
        gain_->SetLevel(static_cast<int16_t>((value & 63) * kGainStep));
    }
    if (lamp_ != nullptr) {
        lamp_->SetState(value & 64);
        lamp_->InvalidateFrame();
    }
}
