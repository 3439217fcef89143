#pragma once

#include "panels/panel/LayoutModule.h"

class CPnlVUMeterABC;

// The panel of the audio inputs ("AudioIn", "PolyAreaIn"): the value the
// synthesizer reports carries both channels' levels, the high bits (from
// bit 7) for the upper meter and the low seven bits for the lower one.
class CModuleAudio : public CLayoutModule {
public:
    explicit CModuleAudio(CBuildModule& builder);
    void SetMeterValue(uint16_t value) override;

private:
    std::vector<CPnlVUMeterABC*> meters_; // upper, then lower
};
