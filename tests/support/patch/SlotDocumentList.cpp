#include "tests/support/patch/SlotDocumentList.h"

#include "patch/document/Patch.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"

namespace testsupport {

CSlotDocumentList::~CSlotDocumentList() = default;

void CSlotDocumentList::NewEmptySlotPatch(CSynth& synth, uint8_t slot)
{
    Add(synth, slot);
}

void CSlotDocumentList::NewPatchFromSynth(uint8_t port, uint8_t slot)
{
    ++replacements;
    Add(*manager->GetSynth(port), slot);
}

CPatch* CSlotDocumentList::Find(uint8_t slot) const
{
    for (const auto& document : documents) {
        if (document->IsLinked() && document->GetSlot() == slot) {
            return document.get();
        }
    }
    return nullptr;
}

void CSlotDocumentList::Add(CSynth& synth, uint8_t slot)
{
    auto document = std::make_unique<CPatch>();
    document->LinkToSynth(&synth, slot, false);
    documents.push_back(std::move(document));
}

} // namespace testsupport
