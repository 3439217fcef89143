#pragma once

#include <array>
#include <cstdint>

// The voices the synthesizer reports for each slot (at most 32 each).
class CVoiceCounts {
public:
    static constexpr uint8_t kMaxSlots = 4;
    static constexpr uint8_t kMaxVoices = 32;

    explicit CVoiceCounts(uint8_t slotCount = kMaxSlots);

    uint8_t GetSlotCount() const { return count_; }
    // 1 for a slot outside A-D.
    uint8_t GetVoices(uint8_t slot) const { return slot < kMaxSlots ? voices_[slot] : 1; }
    void SetVoices(uint8_t slot, uint8_t voices); // above 32 stored as 32
    // Takes the counts of the source's slots (at most its count); the rest
    // become 1. The own count is kept.
    void CopyFrom(const CVoiceCounts& source);

    bool operator==(const CVoiceCounts&) const = default;

private:
    uint8_t count_;
    std::array<uint8_t, kMaxSlots> voices_{1, 1, 1, 1};
};
