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
        m_number = number;
        m_numberKnown = true;
        m_changed = false;
    }
    uint8_t GetNumber() const { return m_number; }
    bool IsNumberKnown() const { return m_numberKnown; }
    // The number is stale and must be asked for.
    bool IsChanged() const { return m_changed; }
    void MarkChanged() { m_changed = true; }

    CSlotPatchInterface* GetPatch() const { return m_patch; }
    void SetPatch(CSlotPatchInterface* patch) { m_patch = patch; }
    EState GetState() const { return m_state; }
    void SetState(EState state) { m_state = state; }

private:
    CSlotPatchInterface* m_patch = nullptr;
    EState m_state = kSettled;
    uint8_t m_number = 0;
    bool m_numberKnown = false;
    bool m_changed = false;
};
