#pragma once

#include <array>
#include <cstdint>
#include <string>

// The synthesizer's global settings, as the settings dump carries them and the
// Synth Settings dialog edits them. Every setter keeps its field in range, so
// the record never holds a value the synthesizer would refuse.
class CSynthSettings {
public:
    static constexpr int kSlotCount = 4;
    static constexpr int kSlotValueCount = 4;
    static constexpr size_t kNameLength = 16;

    CSynthSettings();

    uint8_t GetVelocityMin() const { return velocityMin_; }
    uint8_t GetVelocityMax() const { return velocityMax_; }
    uint32_t GetInternalClock() const { return internalClock_; }
    uint16_t GetClockRate() const { return clockRate_; }
    uint8_t GetGlobalSync() const { return globalSync_; }
    uint8_t GetLedsActive() const { return ledsActive_; }
    int8_t GetMasterTune() const { return masterTune_; }
    uint8_t GetLocalOn() const { return localOn_; }
    uint32_t GetKeyboardMode() const { return keyboardMode_; }
    uint32_t GetPedalPolarity() const { return pedalPolarity_; }
    uint8_t GetProgramChangeSend() const { return programChangeSend_; }
    uint8_t GetProgramChangeReceive() const { return programChangeReceive_; }
    uint32_t GetKnobMode() const { return knobMode_; }
    const std::string& GetName() const { return name_; }
    // Slots outside A-D read as a default, inactive slot.
    uint8_t GetSlotChannel(int slot) const;
    uint8_t GetSlotActive(int slot) const;
    uint8_t GetSlotValue(int slot, int index) const;

    void SetVelocityMin(int32_t value);    // at most 127
    void SetVelocityMax(int32_t value);    // at most 127
    void SetInternalClock(uint32_t value); // any non-zero value is 1
    void SetClockRate(int32_t value);      // 31-239, else 128
    void SetGlobalSync(int32_t value);     // 1-32, else 4
    void SetLedsActive(uint8_t value) { ledsActive_ = value; }
    void SetMasterTune(int32_t value); // -100..100, else 0
    void SetLocalOn(uint8_t value) { localOn_ = value; }
    void SetKeyboardMode(uint32_t value);  // any non-zero value is 1
    void SetPedalPolarity(uint32_t value); // any non-zero value is 1
    void SetProgramChangeSend(uint8_t value) { programChangeSend_ = value; }
    void SetProgramChangeReceive(uint8_t value) { programChangeReceive_ = value; }
    void SetKnobMode(uint32_t value);      // any non-zero value is 1
    void SetName(const std::string& name); // cut to 16 characters
    // Slot setters ignore slots outside A-D.
    void SetSlotChannel(int slot, int32_t channel); // above 15 stored as 15
    void SetSlotActive(int slot, uint8_t active);
    void SetSlotValue(int slot, int index, int32_t value); // 4 and above stored as 3

    bool operator==(const CSynthSettings& other) const;
    bool operator!=(const CSynthSettings& other) const { return !(*this == other); }

private:
    struct SlotSettings {
        uint8_t channel = 0;
        uint8_t active = 0;
        std::array<uint8_t, kSlotValueCount> values{0, 1, 2, 3};
        bool operator==(const SlotSettings&) const = default;
    };
    static bool IsSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

    uint8_t velocityMin_ = 0;
    uint8_t velocityMax_ = 127;
    uint32_t internalClock_ = 1;
    uint16_t clockRate_ = 128;
    uint8_t globalSync_ = 4;
    uint8_t ledsActive_ = 1;
    int8_t masterTune_ = 0;
    uint8_t localOn_ = 1;
    uint32_t keyboardMode_ = 0;
    uint32_t pedalPolarity_ = 0;
    uint8_t programChangeSend_ = 1;
    uint8_t programChangeReceive_ = 1;
    uint32_t knobMode_ = 1;
    std::string name_;
    std::array<SlotSettings, kSlotCount> slots_{};
};
