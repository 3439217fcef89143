#include "modules/panels/ModuleStepSeq.h"

#include "panels/items/PanelItem.h"
#include "panels/items/PnlLed.h"

CModuleStepSeq::CModuleStepSeq(CBuildModule& builder) : CLayoutModule(builder)
{
    for (CPanelItem* item : FindItems([](const ItemSpec& spec) { return spec.role == ItemRole::StepLed; })) {
        if (auto* led = dynamic_cast<CPnlLed*>(item); led != nullptr && steps_.size() < kSteps) {
            steps_.push_back(led);
        }
    }
}

void CModuleStepSeq::SetMeterValue(uint16_t value)
{
    for (CPnlLed* led : steps_) {
        led->SetState(0);
    }
    if (value < steps_.size()) {
        steps_[value]->SetState(1);
    }
    for (CPnlLed* led : steps_) {
        led->InvalidateFrame();
    }
}
