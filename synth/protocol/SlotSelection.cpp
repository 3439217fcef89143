#include "synth/protocol/SlotSelection.h"

CSlotSelection::CSlotSelection(uint8_t slotCount) : count_(slotCount > kMaxSlots ? kMaxSlots : slotCount) { }

void CSlotSelection::SetActive(uint8_t slot, bool active)
{
    if (slot < count_)
        active_[slot] = active ? 1 : 0;
}

int CSlotSelection::CountActive() const
{
    int n = 0;
    for (uint8_t slot = 0; slot < kMaxSlots; ++slot)
        n += IsActive(slot) ? 1 : 0;
    return n;
}

void CSlotSelection::CopyFlagsFrom(const CSlotSelection& source)
{
    for (uint8_t slot = 0; slot < kMaxSlots; ++slot)
        active_[slot] = slot < source.count_ ? source.active_[slot] : 0;
}

bool CSlotSelection::SelectOnly(uint8_t slot)
{
    if (slot >= count_ || IsActive(slot))
        return false;
    active_.fill(0);
    active_[slot] = 1;
    return true;
}

bool CSlotSelection::Toggle(uint8_t slot, uint8_t currentSlot, uint8_t& newCurrent)
{
    if (slot >= count_)
        return false;
    if (!IsActive(slot)) {
        active_[slot] = 1;
        return false;
    }
    if (CountActive() == 1)
        return false;
    active_[slot] = 0;
    if (slot != currentSlot)
        return false;
    for (uint8_t other = 0; other < kMaxSlots; ++other) {
        if (IsActive(other)) {
            newCurrent = other;
            break;
        }
    }
    return true;
}
