#pragma once

#include <array>
#include <atomic>
#include <cstdint>

// The latest live values (14 bits) and states (2 bits) of modules 0-39 of
// one synthesizer slot, with "changed" marks so that the display takes only
// what changed. The MIDI input worker writes (Set*) while the main thread
// takes (Take*), without a lock: the words, marks and counts are atomic, and
// each mark's change from 0 to 1 and back moves its count exactly once, so
// the counts never drift.
class CParamValueBlock {
public:
    static constexpr uint32_t kEntryCount = 40;
    static constexpr uint16_t kValueMask = 0x3FFF;
    static constexpr uint32_t kStateShift = 14;

    CParamValueBlock() { Clear(); }
    CParamValueBlock(const CParamValueBlock&) = delete;
    CParamValueBlock& operator=(const CParamValueBlock&) = delete;

    // All words 0, no marks.
    void Clear() { Reset(0); }
    // All words 0, every entry marked changed (makes every module redraw).
    void MarkAllChanged() { Reset(1); }

    // Ignored for index 40 or above; an unchanged value marks nothing.
    void SetValue(uint32_t index, uint16_t value);
    void SetState(uint32_t index, uint8_t state);
    // Clear the entry's mark and return its value or state.
    uint16_t TakeValue(uint32_t index);
    uint8_t TakeState(uint32_t index);

    bool IsValueChanged(uint32_t index) const { return index < kEntryCount && valueChanged_[index].load() != 0; }
    bool IsStateChanged(uint32_t index) const { return index < kEntryCount && stateChanged_[index].load() != 0; }
    bool HasChanges() const { return valueChangedCount_.load() != 0 || stateChangedCount_.load() != 0; }
    uint32_t GetValueChangedCount() const { return static_cast<uint32_t>(valueChangedCount_.load()); }
    uint32_t GetStateChangedCount() const { return static_cast<uint32_t>(stateChangedCount_.load()); }

private:
    using Marks = std::array<std::atomic<uint8_t>, kEntryCount>;

    void Reset(uint8_t mark);
    static void Mark(Marks& marks, std::atomic<int32_t>& count, uint32_t index);
    static void Unmark(Marks& marks, std::atomic<int32_t>& count, uint32_t index);

    std::array<std::atomic<uint16_t>, kEntryCount> words_;
    Marks stateChanged_;
    Marks valueChanged_;
    std::atomic<int32_t> valueChangedCount_{0};
    std::atomic<int32_t> stateChangedCount_{0};
};
