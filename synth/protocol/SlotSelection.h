#pragma once

#include <array>
#include <cstdint>

// Which slots of a synthesizer are active: the model's slot count (4, or 1 for
// the small model) and one flag per slot A-D. Slots at or beyond the count are
// never active.
class CSlotSelection {
public:
    static constexpr uint8_t kMaxSlots = 4;
    static constexpr uint8_t kNoSlot = 4;

    explicit CSlotSelection(uint8_t slotCount = kMaxSlots);

    uint8_t GetSlotCount() const { return count_; }
    bool IsActive(uint8_t slot) const { return slot < kMaxSlots && active_[slot] != 0; }
    // Slots beyond the model's count stay inactive.
    void SetActive(uint8_t slot, bool active);
    int CountActive() const;

    // Takes the flags of the source's slots (at most its count); the rest
    // become inactive. The own count is kept.
    void CopyFlagsFrom(const CSlotSelection& source);

    // Makes the slot the only active one; false (and no change) when it was
    // active already.
    bool SelectOnly(uint8_t slot);
    // Ctrl-click on a slot: an inactive slot becomes active; the last active
    // slot stays; any other active slot is turned off, and when it was the
    // current slot the first remaining active slot becomes the new current
    // one (true is returned then).
    bool Toggle(uint8_t slot, uint8_t currentSlot, uint8_t& newCurrent);

    bool operator==(const CSlotSelection&) const = default;

private:
    uint8_t count_;
    std::array<uint8_t, kMaxSlots> active_{};
};
