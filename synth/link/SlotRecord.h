#pragma once

#include <cstdint>

class CSlotPatchInterface;

// What a synthesizer object knows of one of its slots: the document bound
// to it, whether the document must still be sent, and the slot's session
// number (stamped on outgoing edits, compared with incoming ones).
class CSlotRecord {
public:
    enum EState : uint32_t { kFresh = 0, kSettled = 1 };

    // Stores the number and clears the changed mark.
    void SetNumber(uint8_t number)
    {
        number_ = number;
        numberKnown_ = true;
        changed_ = false;
    }
    uint8_t GetNumber() const { return number_; }
    bool IsNumberKnown() const { return numberKnown_; }
    // The number is stale and must be asked for.
    bool IsChanged() const { return changed_; }
    void MarkChanged() { changed_ = true; }

    CSlotPatchInterface* GetPatch() const { return patch_; }
    void SetPatch(CSlotPatchInterface* patch) { patch_ = patch; }
    EState GetState() const { return state_; }
    void SetState(EState state) { state_ = state; }

private:
    CSlotPatchInterface* patch_ = nullptr;
    EState state_ = kSettled;
    uint8_t number_ = 0;
    bool numberKnown_ = false;
    bool changed_ = false;
};
