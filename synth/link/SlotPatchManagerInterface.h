#pragma once

#include <cstdint>

class CSynth;

// What the synthesizer object asks of the editor's list of patch documents.
class CSlotPatchManagerInterface {
public:
    virtual ~CSlotPatchManagerInterface() = default;

    // Creates an empty document for the slot, to be filled from the
    // synthesizer, and binds it with CSynth::RegisterSlotPatch (not
    // selecting the slot). Called by the synthesizer object's constructor
    // for every slot; an exception passes on to it.
    virtual void NewEmptySlotPatch(CSynth& synth, uint8_t slot) = 0;
    // The synthesizer holds another patch in the slot than the bound
    // document: a new document for (port, slot), loaded from the
    // synthesizer, takes the slot; the previous one is released.
    virtual void NewPatchFromSynth(uint8_t port, uint8_t slot) = 0;
};
