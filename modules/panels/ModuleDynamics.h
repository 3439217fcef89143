#pragma once

#include "panels/panel/LayoutModule.h"

class CPnlLed;
class CPnlVUMeterABC;

// The panel of "Compressor" and "Expander": the reported value drives the
// gain meter (six low bits, 64 steps of 13) and the green lamp (bit 6);
// higher bits are ignored. Neither registers a meter item.
class CModuleDynamics : public CLayoutModule {
public:
    static constexpr int16_t kGainStep = 13;

    explicit CModuleDynamics(CBuildModule& builder);
    void SetMeterValue(uint16_t value) override;

private:
    CPnlVUMeterABC* gain_ = nullptr;
    CPnlLed* lamp_ = nullptr;
};
