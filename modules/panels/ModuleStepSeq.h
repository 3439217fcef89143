#pragma once

#include "panels/panel/LayoutModule.h"

#include <array>

class CPnlLed;

// The panel of the four step sequencers: the reported value is the step
// being played, which lights its lamp alone; a value past the sixteenth
// step leaves every lamp dark. No parameter value lights them.
class CModuleStepSeq : public CLayoutModule {
public:
    static constexpr size_t kSteps = 16;

    explicit CModuleStepSeq(CBuildModule& builder);
    void SetMeterValue(uint16_t value) override;

private:
    std::vector<CPnlLed*> steps_;
};
