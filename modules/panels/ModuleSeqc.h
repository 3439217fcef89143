#pragma once

#include "modules/panels/ModuleStepSeq.h"
#include "panels/items/PnlPushButtonItemABC.h"

class CPnlNoteSeqGraph;

// The panel of "NoteSeqB": a step sequencer whose random notes stay within
// the window of notes its graph shows.
class CModuleSeqc final : public CModuleStepSeq, public CNoteRangeSourceInterface {
public:
    explicit CModuleSeqc(CBuildModule& builder);
    void GetVisibleNoteRange(uint8_t& lowest, uint8_t& highest) const override;

private:
    const CPnlNoteSeqGraph* graph_ = nullptr;
};
