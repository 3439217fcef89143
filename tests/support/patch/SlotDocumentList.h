#pragma once

#include "synth/link/SlotPatchManagerInterface.h"

#include <memory>
#include <vector>

class CPatch;
class CPortManager;

namespace testsupport {

// The editor's list of documents as far as the synthesizer link needs it:
// real documents bound to the slots, a new one whenever the link asks.
class CSlotDocumentList final : public CSlotPatchManagerInterface {
public:
    ~CSlotDocumentList() override;

    void NewEmptySlotPatch(CSynth& synth, uint8_t slot) override;
    void NewPatchFromSynth(uint8_t port, uint8_t slot) override;

    // The document bound to a slot; null when none is.
    CPatch* Find(uint8_t slot) const;

    CPortManager* manager = nullptr;
    std::vector<std::unique_ptr<CPatch>> documents;
    int replacements = 0; // documents made for a patch the synthesizer changed

private:
    void Add(CSynth& synth, uint8_t slot);
};

} // namespace testsupport
