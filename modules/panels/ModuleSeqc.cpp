#include "modules/panels/ModuleSeqc.h"

#include "panels/graphs/PnlNoteSeqGraph.h"

CModuleSeqc::CModuleSeqc(CBuildModule& builder) : CModuleStepSeq(builder)
{
    for (const auto& item : GetItems()) {
        if (const auto* graph = dynamic_cast<const CPnlNoteSeqGraph*>(item.get())) {
            graph_ = graph;
        }
    }
}

void CModuleSeqc::GetVisibleNoteRange(uint8_t& lowest, uint8_t& highest) const
{
    lowest = 0;
    highest = 127;
    if (graph_ != nullptr) {
        graph_->GetVisibleRange(lowest, highest);
    }
}
